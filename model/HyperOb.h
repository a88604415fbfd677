// The base of every object placed on a page: rectangle and rotation,
// scriptable values, colours, font, tool tip, group and layer membership,
// permissions, and the operations through which the page draws, hit-tests,
// moves, edits and stores its objects.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/BasicValue.h"
#include "model/FontRecord.h"
#include "model/HyperBaseOb.h"
#include "model/ObTracker.h"

class CAnchorFmt;
class CArchive;
class CConnection;
class CDC;
class CDumpContext;
class CGroupInfo;
class CSnapList;

class CHyperOb : public CHyperBaseOb {
    VX_DECLARE_CLASS(CHyperOb)
public:
    CHyperOb();
    ~CHyperOb() override;
    CHyperOb(const CHyperOb&) = delete;
    CHyperOb& operator=(const CHyperOb&) = delete;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    // Cursor choices of CursorPointer: display text and value.
    struct CursorChoice {
        const char* text;
        int value;
    };
    static const CursorChoice kCursorChoices[8];
    static constexpr int kHotSpotCursor = 27913;

    // ---- operations shared with page and frame objects ----
    int PersistToFile(int mode) override;
    void OnPropertyEdited(int propertyId) override;
    void Update(int recalc, int hint) override;
    void SaveAsDefaults() override;
    bool GetSheetRect(CRect& out) const override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    COLORREF GetPageColor() const override;
    const COLORREF* GetCustomColors() const override;
    int SetCode(const std::string& name, int index) override;
    void SetView(CHyperPage* view) override;
    void Serialize(CArchive& ar) override;
    // Copies every attribute of another object of the class.
    virtual void CopyFrom(const CHyperOb& other);
    // Writes the object's fields for `vexelwork dump`; classes add theirs
    // after calling the base.
    virtual void Dump(CDumpContext& dc) const;

    // ---- page object operations ----
    virtual void InvalidateSaved(CRect* out = nullptr);
    // Binds the object to a page, optionally applying the class defaults and
    // the creation rectangle.
    virtual void AttachToView(CHyperPage* view, const CRect* rect, bool applyDefaults);
    // The common object record; Serialize of every class calls it first.
    virtual void SerializeBase(CArchive& ar);
    virtual std::string GetDefaultsFileName() const;
    // A new object of the same class with the same attributes.
    virtual std::unique_ptr<CHyperOb> Clone() const;
    virtual int HitTest(int x, int y);
    virtual void DrawPrintClip(CDC& dc, int a);
    virtual void Draw(CDC& dc);
    virtual void DrawShape(CDC& /*dc*/) {}
    virtual int DrawExtra(CDC& /*dc*/, int /*a*/) { return 0; }
    virtual void DrawTracker(CDC& dc);
    virtual void ApplyViewDefaults();
    virtual void RefreshSubObjects();
    // Moves the line ends attached to this object's snap points to where
    // the points now are (run by Update with recalculation).
    void FollowAttachedEnds();
    virtual int GetCursorAt(int x, int y);
    virtual void Invalidate(CRect* out = nullptr);
    virtual void Refresh(int recalc) { Update(recalc, 0); }
    virtual void Repaint() { Update(1, 0); }
    virtual void SetRect(const CRect& rect);
    virtual void SaveBounds();
    virtual void EnsureTracker();
    virtual void RecalcHandles() {}
    CObTracker* GetTracker() const { return tracker_.get(); }
    std::vector<std::unique_ptr<CHyperOb>>& GetSubObjects() { return subObjects_; }
    virtual bool HasLinkFlag() const { return linkFlag_ && IsEmbeddedItem(); }
    // Area to repaint in page units (the rectangle joined with the group
    // rectangle, grown by the snap-point margin).
    virtual CRect GetInvalidRect(CDC* dc = nullptr);
    // The rectangle (in device units for a zoomed screen device).
    virtual CRect GetRect(CDC* dc = nullptr) const;
    virtual CRect GetCellRect(bool whole) const;
    virtual bool IntersectsRect(const CRect& r) const;
    virtual LOGFONT ResolveFont(const LOGFONT& lf) const;
    virtual bool IsOleItem() const { return false; }
    virtual bool IsLine() const { return false; }
    virtual bool IsLineEndFree() const { return false; }
    virtual void ResetConnections();
    virtual bool ConfirmCreation() { return true; }
    virtual void Deselect(bool repaint);
    virtual void Select(bool dominant);
    virtual bool IsDropTarget() const { return false; }
    virtual void DisconnectAll();
    virtual int GetEditStyle() const { return 1; }
    virtual bool GetTextFlag() const { return false; }
    virtual bool CanSelectAlone() const;
    virtual void SetConnectorState(int) {}
    virtual bool IsConnector() const { return false; }
    // The snap-point list: the object's own, or its group's when `own` is
    // false and the group has one. Null when the object has none.
    virtual CSnapList* GetSnapList(bool own);
    // The stored snap-point set of GetSnapList.
    virtual CAnchorFmt* GetSnapSet(bool own);
    virtual CRect GetSnapBounds();
    virtual CSnapList* GetGroupSnapList(bool own, CSnapList* list);
    // Extra data of polylines in the common record.
    virtual void SerializeShapeData(CArchive&) {}
    // The connection record of lines and connectors.
    virtual CConnection* GetConnection() { return nullptr; }
    // Objects whose geometry is a list of points (polylines): takes `pts`
    // in page coordinates, the rectangle becoming their bounds. False for
    // objects without such a list.
    virtual bool SetPagePoints(const std::vector<CPoint>& /*pts*/) { return false; }
    // A new object that takes the place of `objects` (a chain of lines
    // joined into one) takes its geometry from them.
    virtual void OnPointsReplaced(const std::vector<CHyperOb*>& /*objects*/) {}
    // Free resizing; lines answer their diagonal code.
    static constexpr int kResizeFree = 24;
    virtual int GetResizeMode() const { return kResizeFree; }
    virtual std::unique_ptr<CGroupInfo> CreateGroupInfo() const;
    // The group record: the object's own, else another member's.
    virtual CGroupInfo* FindGroupInfo() const;
    virtual void SetUnrotatedRect(const CRect& r);
    // Outline polygon about the centre, and its rotated copy on the page.
    virtual void BuildOutline();
    virtual void UpdateOutline();
    virtual std::vector<CPoint> GetViewPoints() const;
    virtual std::vector<CPoint> GetOutlinePoints() const { return rotatedOutline_; }
    virtual void SetRotateAngleRaw(double angle);
    virtual void SetResizeRect(const CRect& r);
    virtual void OnResized(const CRect& oldRect);
    virtual void RecalcOutline();
    virtual void DrawOutline(CDC& dc);
    virtual bool CanDrawRotated() const { return true; }
    virtual double GetScale(const CRect& r) const;
    virtual bool IsRotated() const;
    bool IsUpright() const { return !IsRotated(); }
    virtual bool IsSpecialShape() const { return GetResizeMode() != kResizeFree; }
    virtual bool IsEnabled() const;
    virtual bool IsVisible() const;
    virtual bool IsLocked() const;
    bool IsUnlocked() const { return !IsLocked(); }
    virtual bool CanDelete() const { return dfltCanDelete_; }
    virtual bool CanResize() const;
    virtual bool CanRotate() const { return false; }
    virtual bool CanInlineEditText() const { return dfltCanInlineEditText_; }
    virtual bool CanEditPoints() const { return false; }
    virtual bool IsClosed() const { return true; }
    virtual bool IsHotSpot() const { return false; }
    virtual bool CanGroup() const { return true; }
    virtual void SetText(const std::string&) {}
    virtual void SetFont(const LOGFONT& lf) { font_.Set(lf); }
    virtual void SetForeColor(COLORREF c) { foreColor_ = c; }
    virtual void SetBackColor(COLORREF c) { backColor_ = c; }
    virtual bool GetText(std::string&) const { return false; }
    virtual LOGFONT GetLogFont(bool resolved) const;
    virtual COLORREF GetForeColor() const;
    virtual COLORREF GetBackColor() const;
    virtual bool HasImage() const { return false; }
    // The object has a back colour, a fore colour, a font (classes without
    // them offer no such property and are skipped by group reads).
    virtual bool HasBackColor() const { return true; }
    virtual bool HasForeColor() const { return true; }
    virtual bool HasFont() const { return true; }
    virtual bool IsTransparent() const { return backColor_ == -1; }
    // Pen, hatch and shadow attributes; false when the class lacks them.
    virtual bool GetPenWidth(int&) const { return false; }
    virtual bool GetPenStyle(int&) const { return false; }
    virtual bool GetHatchStyle(int&) const { return false; }
    virtual bool GetShadowStyle(int&) const { return false; }
    virtual void SetPenWidth(int) {}
    virtual void SetPenStyle(int) {}
    virtual void SetHatchStyle(int) {}
    virtual void SetShadowStyle(int) {}

    // ---- fields ----
    CBasicValue& eventPumpData() { return eventPumpData_; }
    CBasicValue& eventClick() { return eventClick_; }
    CBasicValue& eventInitialize() { return eventInitialize_; }
    CBasicValue& enableValue() { return enable_; }
    CBasicValue& visibleValue() { return visible_; }
    const CBasicValue& enableValue() const { return enable_; }
    const CBasicValue& visibleValue() const { return visible_; }
    int cursorPointer() const { return cursorPointer_; }
    void setCursorPointer(int v) { cursorPointer_ = v; }
    const std::string& toolTipText() const { return toolTipText_; }
    void setToolTipText(std::string t) { toolTipText_ = std::move(t); }
    int helpContextId() const { return helpContextId_; }
    void setHelpContextId(int v) { helpContextId_ = v; }
    COLORREF backColorField() const { return backColor_; }
    COLORREF foreColorField() const { return foreColor_; }
    CFontRecord& font() { return font_; }
    const CFontRecord& font() const { return font_; }
    int groupId() const { return groupId_; }
    void setGroupId(int id) { groupId_ = id; }
    CGroupInfo* groupInfo() const { return groupInfo_.get(); }
    void setGroupInfo(std::unique_ptr<CGroupInfo> g);
    std::unique_ptr<CGroupInfo> takeGroupInfo();
    int layerId() const { return layerId_; }
    void setLayerId(int id) { layerId_ = id; }
    // Name of the object's layer, empty when there is none.
    std::string LayerName() const;
    int selectionChanged() const { return selectionChanged_; }
    void clearSelectionChanged() { selectionChanged_ = 0; }
    const std::string& tagText() const { return tagText_; }
    // The Tag as scripts see it: the last value set, else the Tag text.
    vx::Variant GetTag() const;
    void SetTag(const vx::Variant& v);
    int linkFlag() const { return linkFlag_; }
    int shapeFlag() const { return shapeFlag_; }
    const CRect& textRect(int i) const { return textRects_[i & 1]; }
    void setTextRect(int i, const CRect& r) { textRects_[i & 1] = r; }
    const CRect& savedRect() const { return savedRect_; }

    bool dfltIsLocked() const { return dfltIsLocked_; }
    bool dfltCanDelete() const { return dfltCanDelete_; }
    bool dfltCanResize() const { return dfltCanResize_; }
    bool dfltCanRot() const { return dfltCanRot_; }
    bool dfltCanInlineEditText() const { return dfltCanInlineEditText_; }
    bool dfltCanEditPoints() const { return dfltCanEditPoints_; }
    void setDfltIsLocked(bool v) { dfltIsLocked_ = v; }
    void setDfltCanDelete(bool v) { dfltCanDelete_ = v; }
    void setDfltCanResize(bool v) { dfltCanResize_ = v; }
    void setDfltCanRot(bool v) { dfltCanRot_ = v; }
    void setDfltCanInlineEditText(bool v) { dfltCanInlineEditText_ = v; }
    void setDfltCanEditPoints(bool v) { dfltCanEditPoints_ = v; }

    // The rectangle (the geometry record is created when missing).
    const CRect& Rect();
    double RotateAngle();
    // Sets one side, then the normalised rectangle.
    void SetSide(int side, int value);
    // Moves by dx, dy through SetRect.
    void Move(int dx, int dy);
    // Turns the outline by RotateAngle and places it on the page.
    const std::vector<CPoint>& outline() const { return outline_; }
    const std::vector<CPoint>& rotatedOutline() const { return rotatedOutline_; }

    // Version of the common record being read (for the records that follow).
    int loadedVersion() const { return loadedVersion_; }

    // Stem of automatic code names: the class name without its leading "C",
    // a trailing "Ob" and up to three trailing non-letters.
    std::string MakeCodeBase() const;
    // A code is valid when it is not empty and not only blanks.
    static bool IsValidCode(const std::string& code);

protected:
    // Copies the CHyperOb part only.
    void CopyBaseFrom(const CHyperOb& other);

    // The colour members, for property items of derived classes.
    COLORREF* backColorMember() { return &backColor_; }
    COLORREF* foreColorMember() { return &foreColor_; }
    // Makes the next UpdateOutline rebuild the outline (shapes whose outline
    // depends on more than the size).
    void DiscardOutline() { outline_.clear(); }

    std::vector<CPoint> outline_;
    std::vector<CPoint> rotatedOutline_;
    CSize outlineSize_{-1, -1};
    int linkFlag_ = 0;
    int shapeFlag_ = 0;
    int loadedVersion_ = 8;

private:
    friend class CHyperObTest;
    // Points the group record at this object's page and its snap list at
    // the group rectangle.
    void BindGroupInfo();

    CBasicValue eventPumpData_;
    CBasicValue eventClick_;
    CBasicValue eventInitialize_;
    CBasicValue enable_{"1"};
    CBasicValue visible_{"1"};
    int32_t cursorPointer_ = 0;
    int32_t helpContextId_ = 0;
    std::string toolTipText_;
    COLORREF backColor_ = -1;
    COLORREF foreColor_ = -1;
    int32_t groupId_ = -1;
    int32_t layerId_ = 0;
    int32_t selectionChanged_ = 0;
    CFontRecord font_;
    std::unique_ptr<CGroupInfo> groupInfo_;
    std::string tagText_;
    std::unique_ptr<vx::Variant> tagValue_;
    CRect textRects_[2];
    std::unique_ptr<CObTracker> tracker_;
    std::vector<std::unique_ptr<CHyperOb>> subObjects_;
    CRect savedRect_;
    CRect savedRepaintRect_;
    bool dfltIsLocked_ = false;
    bool dfltCanDelete_ = true;
    bool dfltCanResize_ = true;
    bool dfltCanRot_ = true;
    bool dfltCanInlineEditText_ = true;
    bool dfltCanEditPoints_ = true;
};
