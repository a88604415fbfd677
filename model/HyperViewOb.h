// The page object: the page's own properties (size, colour, font, scroll
// bars, print scale, layers, events, tag). It is not in the object list.
#pragma once

#include <memory>
#include <string>

#include "model/BasicValue.h"
#include "model/FontRecord.h"
#include "model/HyperBaseOb.h"
#include "model/LayerFmt.h"

class CDumpContext;

class CHyperViewOb : public CHyperBaseOb {
    VX_DECLARE_CLASS(CHyperViewOb)
public:
    CHyperViewOb();
    ~CHyperViewOb() override;
    CHyperViewOb(const CHyperViewOb&) = delete;
    CHyperViewOb& operator=(const CHyperViewOb&) = delete;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    static constexpr const char* kCode = "TheView";

    int32_t autoRecord = 2;
    int32_t reportLock = 0;
    double printScale = 1.0;
    int32_t scrollBars = 1;
    int32_t scrollWidth = 650;
    int32_t scrollHeight = 800;
    COLORREF color;
    int32_t reserved = 0xFFFF;
    CBasicValue eventInitialize;
    CBasicValue eventTerminate;
    CBasicValue eventClick;
    CBasicValue fourthEvent;
    CFontRecord font;
    int32_t cursorPointer = 0;
    std::string toolTipText;
    int32_t helpContextId = 0;
    std::string formCode;

    std::string GetFormCode() const override { return formCode; }
    int GetKind() const override { return kViewObject; }
    std::string GetTypeName() const override;
    void SetView(CHyperPage* view) override;
    void Update(int recalc, int hint) override;
    void Serialize(CArchive& ar) override { SerializeBase(ar); }
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;

    // The page object record.
    virtual void SerializeBase(CArchive& ar);
    virtual void CopyFrom(const CHyperViewOb& other);
    virtual std::unique_ptr<CHyperViewOb> Clone() const;
    virtual void Dump(CDumpContext& dc) const;
    // Replaces the layer list by a new empty one.
    virtual void CreateLayers();
    // The layer list, created with the layer "Default" on first need.
    virtual CLayerFmt* GetLayers();
    const CLayerFmt* layers() const { return layers_.get(); }
    // Color, or the button-face colour when Color is -1.
    virtual COLORREF GetColor() const;
    // The PrintScale to print with: 1.0 when the stored value is not usable.
    double EffectivePrintScale() const;

    const std::string& tagText() const { return tagText_; }
    vx::Variant GetTag() const;
    void SetTag(const vx::Variant& v);

    // Visible flag of the named layer (0 when there is none); writing sets
    // bit 0 of flags as its visible flag and repaints the affected objects
    // unless bit 15 is set.
    bool GetLayerVisible(const std::string& name);
    void SetLayerVisible(const std::string& name, int flags);

private:
    std::unique_ptr<CLayerFmt> layers_;
    std::string tagText_;
    std::unique_ptr<vx::Variant> tagValue_;
};

// The application's page object; adds the document's Title and Description
// as page properties and stores nothing of its own.
class CVexelViewOb : public CHyperViewOb {
    VX_DECLARE_CLASS(CVexelViewOb)
public:
    std::unique_ptr<CHyperViewOb> Clone() const override;
    // Adds "Title" and "Description", the document's texts.
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
};
