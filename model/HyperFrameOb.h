// The frame object: the properties of the design window (caption, client
// size, border and caption buttons) and the stored local variables.
#pragma once

#include <memory>
#include <string>

#include "model/BasicValue.h"
#include "model/HyperBaseOb.h"
#include "model/HyperListFmt.h"

class CDumpContext;

// The window a frame object applies itself to.
class CFrameWindowLink {
public:
    virtual ~CFrameWindowLink() = default;
    virtual bool IsMaximized() const = 0;
    virtual uint32_t Style() const = 0;
    virtual uint32_t ExStyle() const = 0;
    virtual void SetStyle(uint32_t style) = 0;
    virtual void SetExStyle(uint32_t exStyle) = 0;
    // Frame size minus client size, in pixels.
    virtual CSize NonClientSize() const = 0;
    virtual void Resize(int width, int height) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // The application's main window is shown.
    virtual bool MainWindowUp() const = 0;
};

class CHyperFrameOb : public CHyperBaseOb {
    VX_DECLARE_CLASS(CHyperFrameOb)
public:
    CHyperFrameOb();
    ~CHyperFrameOb() override;
    CHyperFrameOb(const CHyperFrameOb&) = delete;
    CHyperFrameOb& operator=(const CHyperFrameOb&) = delete;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    static constexpr const char* kCode = "TheFrame";
    // Window-style bits the four style fields carry.
    static constexpr uint32_t kMinimizeBox = 0x00020000;
    static constexpr uint32_t kMaximizeBox = 0x00010000;
    static constexpr uint32_t kThickFrame = 0x00040000;
    static constexpr uint32_t kContextHelp = 0x00000400;
    // Placement flags of ApplyToWindow: keep the size, keep the position,
    // keep the stacking order, do not activate; kFrameChanged is added when
    // a style bit changed.
    static constexpr uint32_t kKeepSize = 0x01;
    static constexpr uint32_t kKeepPosition = 0x02;
    static constexpr uint32_t kKeepZOrder = 0x04;
    static constexpr uint32_t kNoActivate = 0x10;
    static constexpr uint32_t kFrameChanged = 0x20;

    std::string title;
    int32_t width = 100;
    int32_t height = 100;
    uint32_t minimizeBox = kMinimizeBox;
    uint32_t maximizeBox = kMaximizeBox;
    uint32_t borderStyle = kThickFrame;
    uint32_t whatsThisHelp = ~kContextHelp;
    CLocalFmt locals;
    // A value older files kept in the window; handed to the page object's
    // EventInitialize when the page is read.
    std::unique_ptr<CBasicValue> legacyValue;

    int GetKind() const override { return kFrameObject; }
    std::string GetTypeName() const override;
    void SetView(CHyperPage* view) override;
    void Update(int recalc, int hint) override;
    void Serialize(CArchive& ar) override { SerializeBase(ar); }
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;

    // The frame object record.
    virtual void SerializeBase(CArchive& ar);
    virtual void CopyFrom(const CHyperFrameOb& other);
    virtual std::unique_ptr<CHyperFrameOb> Clone() const;
    virtual void Dump(CDumpContext& dc) const;
    virtual void CopyLocalsTo(CHyperFrameOb& other) const { other.locals.CopyFrom(locals); }
    virtual void SetWindow(CFrameWindowLink* w) { window_ = w; }
    virtual CFrameWindowLink* GetWindow() const { return window_; }
    // Applies the style fields and the client size to the window; the size
    // only while the main window is up, the window is not maximised and
    // kKeepSize is not given.
    virtual void ApplyToWindow(uint32_t flags);

private:
    CFrameWindowLink* window_ = nullptr;
};

class CVexelFrameOb : public CHyperFrameOb {
    VX_DECLARE_CLASS(CVexelFrameOb)
public:
    std::unique_ptr<CHyperFrameOb> Clone() const override;
};
