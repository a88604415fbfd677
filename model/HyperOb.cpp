#include "model/HyperOb.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "model/AnchorFmt.h"
#include "model/Archive.h"
#include "model/Connection.h"
#include "model/GroupInfo.h"
#include "model/HyperPage.h"
#include "model/SnapList.h"
#include "platform/Text.h"

VX_IMPLEMENT_SERIAL(CHyperOb, CHyperBaseOb, 0)

namespace {

// Property-name ids of the four sides.
constexpr int kPropLeft = 27136;
constexpr int kPropRight = 27137;
constexpr int kPropTop = 27138;
constexpr int kPropBottom = 27139;

CRect ClampRect(const CRect& r) {
    return CRect(vx::ClampInt16(r.left), vx::ClampInt16(r.top), vx::ClampInt16(r.right), vx::ClampInt16(r.bottom));
}

void WriteRect16(CArchive& ar, const CRect& r) {
    ar.WriteInt16Checked(r.left, "an object's left side");
    ar.WriteInt16Checked(r.top, "an object's top side");
    ar.WriteInt16Checked(r.right, "an object's right side");
    ar.WriteInt16Checked(r.bottom, "an object's bottom side");
}

CRect ReadRect16(CArchive& ar) {
    CRect r;
    r.left = ar.ReadInt16();
    r.top = ar.ReadInt16();
    r.right = ar.ReadInt16();
    r.bottom = ar.ReadInt16();
    return r;
}

}  // namespace

const CHyperOb::CursorChoice CHyperOb::kCursorChoices[8] = {
    {"0 - Default", 0},   {"1 - Arrow", 32512},  {"2 - IBeam", 32513}, {"3 - Cross", 32515},
    {"4 - UpArrow", 32516}, {"5 - NoDrop", 32648}, {"6 - Help", 32651},  {"99 - HotSpot", 27913}};

CHyperOb::CHyperOb() = default;
CHyperOb::~CHyperOb() = default;

// ---- geometry ----

void CHyperOb::EnsureTracker() {
    if (!tracker_) tracker_ = std::make_unique<CObTracker>();
    tracker_->owner = this;
    tracker_->style = 0;
    tracker_->handleSize = 7;
    tracker_->minSize = CSize(10, 10);
}

const CRect& CHyperOb::Rect() {
    if (!tracker_) EnsureTracker();
    return tracker_->rect;
}

double CHyperOb::RotateAngle() {
    if (!tracker_) EnsureTracker();
    return tracker_->rotateAngle;
}

void CHyperOb::SetRect(const CRect& rectIn) {
    if (!tracker_) EnsureTracker();
    // Sides are stored in 16 bits: keep them within that range.
    const CRect rect = ClampRect(rectIn);
    const CRect old = tracker_->rect;
    if (view_ && !code_.empty() && rect != old) {
        if (CViewLink* link = view_->link(); link && !view_->loading) {
            if (rect.left != old.left || rect.top != old.top) link->OnObjectMoved(this);
            if (rect.Width() != old.Width() || rect.Height() != old.Height()) link->OnObjectResized(this);
        }
    }
    if (groupInfo_) groupInfo_->rect.OffsetRect(rect.left - old.left, rect.top - old.top);
    if (view_ && !IsLine()) view_->GeometryChanged();
    tracker_->rect = rect;
    OnResized(old);
}

void CHyperOb::SetSide(int side, int value) {
    CRect r = Rect();
    switch (side) {
        case 0: r.left = value; break;
        case 1: r.top = value; break;
        case 2: r.right = value; break;
        case 3: r.bottom = value; break;
        default: return;
    }
    tracker_->rect = ClampRect(r);
    r.NormalizeRect();
    SetRect(r);
}

void CHyperOb::Move(int dx, int dy) {
    CRect r = Rect();
    r.OffsetRect(dx, dy);
    SetRect(r);
}

void CHyperOb::SetUnrotatedRect(const CRect& r) {
    if (!tracker_) EnsureTracker();
    tracker_->unrotatedRect = r;
}

void CHyperOb::SetResizeRect(const CRect& r) {
    if (!tracker_) EnsureTracker();
    tracker_->resizeRect = r;
}

void CHyperOb::OnResized(const CRect& oldRect) {
    if (!IsRotated()) {
        tracker_->unrotatedRect = tracker_->rect;
        return;
    }
    // A rotated object keeps its unrotated shape; follow the move of the
    // rectangle's centre.
    const CPoint oc = oldRect.CenterPoint(), nc = tracker_->rect.CenterPoint();
    tracker_->unrotatedRect.OffsetRect(nc.x - oc.x, nc.y - oc.y);
    RecalcOutline();
}

void CHyperOb::SetRotateAngleRaw(double angle) {
    if (!tracker_) EnsureTracker();
    if (!std::isfinite(angle)) angle = 0.0;
    tracker_->rotateAngle = angle;
}

bool CHyperOb::IsRotated() const { return CanRotate() && tracker_ && tracker_->rotateAngle != 0.0 && !IsSpecialShape(); }

void CHyperOb::BuildOutline() {
    // The base outline is the closed unrotated rectangle about its centre
    // (integer halves).
    const CRect& u = tracker_->unrotatedRect;
    const int hw = u.Width() / 2, hh = u.Height() / 2;
    outline_ = {CPoint(-hw, -hh), CPoint(hw, -hh), CPoint(hw, hh), CPoint(-hw, hh), CPoint(-hw, -hh)};
}

void CHyperOb::RecalcOutline() {
    if (!tracker_) EnsureTracker();
    if (outline_.empty()) {
        BuildOutline();
        outlineSize_ = tracker_->unrotatedRect.Size();
    }
    const CPoint c = tracker_->unrotatedRect.CenterPoint();
    rotatedOutline_.resize(outline_.size());
    for (size_t i = 0; i < outline_.size(); ++i)
        rotatedOutline_[i] = RotateAbout(CPoint(c.x + outline_[i].x, c.y + outline_[i].y), c, tracker_->rotateAngle);
}

void CHyperOb::UpdateOutline() {
    if (!tracker_) EnsureTracker();
    // The outline depends only on the unrotated size.
    if (outline_.empty() || outlineSize_ != tracker_->unrotatedRect.Size()) {
        BuildOutline();
        outlineSize_ = tracker_->unrotatedRect.Size();
    }
    RecalcOutline();
}

std::vector<CPoint> CHyperOb::GetViewPoints() const {
    if (!rotatedOutline_.empty() && IsRotated()) return rotatedOutline_;
    const CRect r = tracker_ ? tracker_->rect : CRect(0, 0, 50, 50);
    return {r.TopLeft(), CPoint(r.right, r.top), r.BottomRight(), CPoint(r.left, r.bottom)};
}

double CHyperOb::GetScale(const CRect& r) const {
    const CRect own = tracker_ ? tracker_->rect : CRect(0, 0, 50, 50);
    if (own.Width() == 0) return 1.0;
    return double(r.Width()) / double(own.Width());
}

CRect CHyperOb::GetCellRect(bool /*whole*/) const { return tracker_ ? tracker_->rect : CRect(0, 0, 50, 50); }

bool CHyperOb::IntersectsRect(const CRect& r) const {
    CRect own = tracker_ ? tracker_->rect.Normalized() : CRect(0, 0, 50, 50);
    own.InflateRect(1, 1);
    return own.Intersects(r.Normalized());
}

bool CHyperOb::GetSheetRect(CRect& out) const {
    out = tracker_ ? tracker_->rect : CRect(0, 0, 50, 50);
    return true;
}

CRect CHyperOb::GetSnapBounds() {
    CRect r = Rect();
    if (CSnapList* list = GetSnapList(false)) {
        const CSize m = list->GetExtent();
        r.InflateRect(m.cx, m.cy);
    }
    return r;
}

// ---- repainting ----

void CHyperOb::SaveBounds() {
    savedRect_ = Rect();
    savedRepaintRect_ = GetInvalidRect(nullptr);
}

void CHyperOb::InvalidateSaved(CRect* out) {
    CRect r = savedRepaintRect_;
    r.InflateRect(3, 3);
    if (view_ && view_->editMode) {
        const int h = tracker_ ? tracker_->handleSize : 7;
        r.InflateRect(h, h);
    }
    if (view_) view_->Invalidate(r);
    if (out) *out = r;
}

void CHyperOb::Invalidate(CRect* out) {
    CRect r = GetInvalidRect(nullptr);
    r.InflateRect(3, 3);
    if (view_) view_->Invalidate(r);
    if (out) *out = r;
}

void CHyperOb::Update(int recalc, int /*hint*/) {
    if (!tracker_) EnsureTracker();
    if (recalc) {
        RecalcHandles();
        if (IsRotated()) UpdateOutline();
        FollowAttachedEnds();
    }
    InvalidateSaved(nullptr);
    Invalidate(nullptr);
    SaveBounds();
}

void CHyperOb::FollowAttachedEnds() {
    if (!view_ || view_->loading || code_.empty()) return;
    CSnapList* list = GetSnapList(false);
    if (!list || !list->HasConnections()) return;
    // Moving an end updates its line, which may reorder nothing but could
    // in principle touch the list; walk a snapshot.
    std::vector<CHyperOb*> obs;
    obs.reserve(view_->Count());
    for (const auto& ob : view_->objects()) obs.push_back(ob.get());
    for (CHyperOb* ob : obs)
        if (CConnection* c = ob->GetConnection()) c->FollowTarget(code_, *list);
}

void CHyperOb::RefreshSubObjects() {
    for (auto& sub : subObjects_) sub->Refresh(1);
}

// ---- view and state ----

void CHyperOb::SetView(CHyperPage* view) {
    view_ = view;
    BindGroupInfo();
    if (CSnapList* list = GetSnapList(true)) list->setOwner(this);
    if (CConnection* c = GetConnection()) c->setOwner(this);
}

void CHyperOb::AttachToView(CHyperPage* view, const CRect* rect, bool applyDefaults) {
    SetView(view);
    EnsureTracker();
    if (applyDefaults) ApplyViewDefaults();
    if (rect) SetRect(*rect);
    // A turned shape's unrotated rectangle is kept the way SetSide keeps a
    // rectangle: an inside-out one would count as empty and be replaced by
    // the turned bounds, which would move the shape at every save.
    // An empty one stays empty: its rectangle is the turned bounds worked
    // out from it, so taking that rectangle in its place would turn the
    // shape's bounds once more at every save.
    if (IsRotated()) {
        tracker_->unrotatedRect.NormalizeRect();
    } else if (tracker_->unrotatedRect.IsRectEmpty()) {
        tracker_->unrotatedRect = tracker_->rect;
        // Whether a shape may turn can depend on its unrotated rectangle (an
        // ellipse that is a circle may not), so one filled in here from a
        // rectangle read inside out is normalised as a turned shape's is;
        // otherwise the next read would take the shape as turned and move it.
        // Lines keep theirs: the direction of their rectangle is their shape.
        if (!IsSpecialShape()) tracker_->unrotatedRect.NormalizeRect();
    }
    if (applyDefaults) RecalcOutline();
}

void CHyperOb::ApplyViewDefaults() {
    if (const CDrawDefaults* d = view_ && view_->link() ? view_->link()->DrawDefaults() : nullptr; d && d->enabled) {
        SetBackColor(d->backColor);
        SetForeColor(d->foreColor);
    }
    PersistToFile(kDefaultsRead);
}

COLORREF CHyperOb::GetPageColor() const {
    if (view_ && view_->pageObject()) return view_->pageObject()->GetColor();
    return vx::GetSysColor(vx::SysColor::Window);
}

const COLORREF* CHyperOb::GetCustomColors() const { return view_ ? view_->customColors.data() : nullptr; }

bool CHyperOb::IsVisible() const {
    if (view_) {
        if (const CLayerFmt* layers = view_->pageObject() ? view_->pageObject()->layers() : nullptr)
            if (!layers->empty() && !layers->IsLayerVisible(layerId_)) return false;
        if (!view_->editMode && !visible_.AsBool()) return false;
    }
    return true;
}

bool CHyperOb::IsLocked() const {
    if (!IsVisible()) return true;
    if (view_ && view_->pageObject())
        if (const CLayerFmt* layers = view_->pageObject()->layers(); layers && !layers->empty())
            if (layers->IsLayerLocked(layerId_)) return true;
    return dfltIsLocked_;
}

bool CHyperOb::IsEnabled() const { return enable_.AsBool() && IsVisible(); }

bool CHyperOb::CanResize() const { return dfltCanResize_ && !(view_ && view_->readOnly); }

bool CHyperOb::CanSelectAlone() const { return true; }

std::string CHyperOb::LayerName() const {
    if (view_ && view_->pageObject())
        if (const CLayerFmt* layers = view_->pageObject()->layers())
            if (const CLayer* l = layers->FindLayer(layerId_)) return l->name;
    return {};
}

void CHyperOb::Deselect(bool repaint) {
    if (!tracker_) EnsureTracker();
    const bool was = tracker_->style != 0;
    if (repaint && was) Invalidate(nullptr);
    tracker_->style = 0;
    SaveBounds();
    if (was) {
        selectionChanged_ = 1;
        if (view_ && view_->link()) view_->link()->OnSelectionChanged(this);
    }
}

void CHyperOb::Select(bool dominant) {
    if (!tracker_) EnsureTracker();
    const bool was = tracker_->style != 0;
    tracker_->style = dominant ? CObTracker::kSelectedDominant : CObTracker::kSelectedOther;
    Invalidate(nullptr);
    tracker_->style &= ~CObTracker::kHandlesShown;
    if (dominant && view_ && view_->link()) view_->link()->ReportPosition(GetCellRect(true));
    if (!was) {
        selectionChanged_ = 1;
        if (view_ && !view_->editMode && view_->link()) view_->link()->OnSelectionChanged(this);
    }
}

int CHyperOb::HitTest(int x, int y) {
    if (!tracker_) EnsureTracker();
    const int zoom = view_ && view_->link() ? std::max(1, view_->link()->Zoom()) : 100;
    const int handle = std::max(1, tracker_->handleSize * 100 / zoom);
    return tracker_->HitTest(CPoint(x, y), handle);
}

int CHyperOb::GetCursorAt(int x, int y) {
    if (CSnapList* list = GetSnapList(false))
        if (list->PointAt(CPoint(x, y)) >= 0) return kHotSpotCursor;
    return 0;
}

// ---- colours and font ----

COLORREF CHyperOb::GetForeColor() const {
    return foreColor_ == -1 ? vx::GetSysColor(vx::SysColor::ButtonText) : foreColor_;
}

COLORREF CHyperOb::GetBackColor() const { return backColor_ == -1 ? GetPageColor() : backColor_; }

LOGFONT CHyperOb::ResolveFont(const LOGFONT& lf) const {
    if (!lf.IsEmpty()) return lf;
    if (view_ && view_->pageObject() && !view_->pageObject()->font.IsEmpty())
        return view_->pageObject()->font.logFont();
    return vx::DefaultLogFont();
}

LOGFONT CHyperOb::GetLogFont(bool resolved) const { return resolved ? ResolveFont(font_.logFont()) : font_.logFont(); }

// ---- tag ----

vx::Variant CHyperOb::GetTag() const {
    if (tagValue_ && !tagValue_->IsEmpty()) return *tagValue_;
    return vx::Variant(tagText_);
}

void CHyperOb::SetTag(const vx::Variant& v) {
    tagValue_ = v.IsEmpty() ? nullptr : std::make_unique<vx::Variant>(v);
    if (v.IsString()) tagText_ = v.ToString();
}

// ---- groups and snap points ----

void CHyperOb::setGroupInfo(std::unique_ptr<CGroupInfo> g) {
    groupInfo_ = std::move(g);
    BindGroupInfo();
}

void CHyperOb::BindGroupInfo() {
    if (!groupInfo_) return;
    groupInfo_->view = view_;
    // The group's snap points sit on the group rectangle.
    groupInfo_->snapList.setOwner(this);
    groupInfo_->snapList.setGroupRect(&groupInfo_->rect);
}

std::unique_ptr<CGroupInfo> CHyperOb::takeGroupInfo() { return std::move(groupInfo_); }

std::unique_ptr<CGroupInfo> CHyperOb::CreateGroupInfo() const { return std::make_unique<CGroupInfo>(); }

CGroupInfo* CHyperOb::FindGroupInfo() const {
    if (groupInfo_) return groupInfo_.get();
    if (groupId_ < 0 || !view_) return nullptr;
    for (const auto& ob : view_->objects())
        if (ob.get() != this && ob->groupId_ == groupId_ && ob->groupInfo_) return ob->groupInfo_.get();
    return nullptr;
}

CSnapList* CHyperOb::GetSnapList(bool /*own*/) { return nullptr; }

CAnchorFmt* CHyperOb::GetSnapSet(bool own) {
    CSnapList* list = GetSnapList(own);
    return list ? &list->set() : nullptr;
}

CSnapList* CHyperOb::GetGroupSnapList(bool own, CSnapList* list) {
    if (!own && groupId_ >= 0)
        if (CGroupInfo* g = FindGroupInfo())
            if (CSnapList* gl = g->GetSnapList()) return gl;
    return list;
}

void CHyperOb::ResetConnections() {
    if (CConnection* c = GetConnection()) c->DropAttachments();
    if (CSnapList* list = GetSnapList(true)) list->ResetMarks();
}

void CHyperOb::DisconnectAll() { ResetConnections(); }

// ---- codes ----

bool CHyperOb::IsValidCode(const std::string& code) { return !vx::Trim(code).empty(); }

std::string CHyperOb::MakeCodeBase() const {
    std::string name = ClassName();
    for (int i = 0; i < 3 && !name.empty() && !std::isalpha(static_cast<unsigned char>(name.back())); ++i)
        name.pop_back();
    if (!name.empty() && name.front() == 'C') name.erase(0, 1);
    if (name.size() > 2 && name.compare(name.size() - 2, 2, "Ob") == 0) name.erase(name.size() - 2);
    return name;
}

int CHyperOb::SetCode(const std::string& name, int index) {
    if (!code_.empty() && !(view_ && view_->IsCodeUsed(code_, this))) return index;
    if (index < 0) {
        SetCodeRaw(name);
    } else {
        // The page's code index finds the first free number without a walk
        // over the objects per candidate.
        if (view_) index = view_->FreeCodeNumber(name, index, this);
        SetCodeRaw(name + std::to_string(index));
    }
    OnCodeChanged();
    return index;
}

void CHyperOb::OnPropertyEdited(int propertyId) {
    if ((propertyId == kPropLeft || propertyId == kPropTop || propertyId == kPropRight || propertyId == kPropBottom) &&
        !IsRotated())
        SetRect(Rect());
}

// ---- copying ----

void CHyperOb::CopyBaseFrom(const CHyperOb& o) {
    SetCodeRaw(o.code_);
    eventPumpData_ = o.eventPumpData_;
    eventClick_ = o.eventClick_;
    eventInitialize_ = o.eventInitialize_;
    enable_ = o.enable_;
    visible_ = o.visible_;
    cursorPointer_ = o.cursorPointer_;
    helpContextId_ = o.helpContextId_;
    toolTipText_ = o.toolTipText_;
    backColor_ = o.backColor_;
    foreColor_ = o.foreColor_;
    font_ = o.font_;
    groupId_ = o.groupId_;
    groupInfo_ = o.groupInfo_ ? o.groupInfo_->Clone() : nullptr;
    BindGroupInfo();
    layerId_ = o.layerId_;
    tagText_ = o.tagText_;
    tagValue_ = o.tagValue_ ? std::make_unique<vx::Variant>(*o.tagValue_) : nullptr;
    if (o.tracker_) {
        if (!tracker_) EnsureTracker();
        const int style = tracker_->style;
        *tracker_ = *o.tracker_;
        tracker_->owner = this;
        tracker_->style = style;
    }
    outline_ = o.outline_;
    rotatedOutline_ = o.rotatedOutline_;
    linkFlag_ = o.linkFlag_;
    shapeFlag_ = o.shapeFlag_;
    savedRect_ = o.savedRect_;
    savedRepaintRect_ = o.savedRepaintRect_;
    dfltIsLocked_ = o.dfltIsLocked_;
    dfltCanDelete_ = o.dfltCanDelete_;
    dfltCanResize_ = o.dfltCanResize_;
    dfltCanRot_ = o.dfltCanRot_;
    dfltCanInlineEditText_ = o.dfltCanInlineEditText_;
    dfltCanEditPoints_ = o.dfltCanEditPoints_;
    subObjects_.clear();
    for (const auto& sub : o.subObjects_) subObjects_.push_back(sub->Clone());
    if (CSnapList* mine = GetSnapList(true))
        if (CSnapList* theirs = const_cast<CHyperOb&>(o).GetSnapList(true)) mine->CopyFrom(*theirs);
    if (CConnection* mine = GetConnection())
        if (CConnection* theirs = const_cast<CHyperOb&>(o).GetConnection()) mine->CopyFrom(*theirs);
}

void CHyperOb::CopyFrom(const CHyperOb& other) {
    if (this != &other) CopyBaseFrom(other);
}

std::unique_ptr<CHyperOb> CHyperOb::Clone() const {
    std::unique_ptr<CObject> made = GetClass().create ? GetClass().create() : nullptr;
    std::unique_ptr<CHyperOb> ob(static_cast<CHyperOb*>(made.release()));
    if (ob) ob->CopyFrom(*this);
    return ob;
}

// ---- storage ----

void CHyperOb::Serialize(CArchive& ar) { SerializeBase(ar); }

void CHyperOb::SerializeBase(CArchive& ar) {
    if (ar.IsStoring()) {
        if (!tracker_) EnsureTracker();
        ar.WriteVersion(8);
        ar.WriteString(code_);
        WriteRect16(ar, tracker_->rect);
        eventPumpData_.Serialize(ar);
        eventClick_.Serialize(ar);
        ar.WriteInt32(cursorPointer_);
        ar.WriteString(toolTipText_);
        ar.WriteInt32(helpContextId_);
        enable_.Serialize(ar);
        visible_.Serialize(ar);
        eventInitialize_.Serialize(ar);
        ar.WriteInt16Checked(groupId_, "a GroupID");
        ar.WriteByte(groupInfo_ ? 1 : 0);
        if (groupInfo_) groupInfo_->Serialize(ar);
        ar.WriteInt16Checked(layerId_, "a LayerID");
        if (CConnection* c = GetConnection()) c->Serialize(ar);
        else SerializeShapeData(ar);
        if (CAnchorFmt* set = GetSnapSet(true)) set->Serialize(ar);
        ar.WriteDouble(tracker_->rotateAngle);
        if (tracker_->rotateAngle != 0.0) WriteRect16(ar, tracker_->unrotatedRect);
        ar.WriteByte(0);
        ar.WriteString(tagText_);
        ar.WriteByte(0);
        ar.WriteByte(0);
        return;
    }

    EnsureTracker();
    const int version = ar.ReadVersion(ClassName());
    loadedVersion_ = version;
    if (version >= 0) SetCodeRaw(ar.ReadString());
    tracker_->rect = ReadRect16(ar);
    tracker_->unrotatedRect = tracker_->rect;
    if (version == 1) eventPumpData_.SetLiteral(ar.ReadString());
    else if (version >= 2) eventPumpData_.Serialize(ar);
    if (version >= 3) {
        eventClick_.Serialize(ar);
        cursorPointer_ = ar.ReadInt32();
        toolTipText_ = ar.ReadString();
        helpContextId_ = ar.ReadInt32();
        enable_.Serialize(ar);
        visible_.Serialize(ar);
    }
    if (version >= 4) eventInitialize_.Serialize(ar);
    if (version >= 5) {
        groupId_ = ar.ReadInt16();
        if (ar.ReadByte() != 0) {
            groupInfo_ = CreateGroupInfo();
            groupInfo_->Serialize(ar);
            BindGroupInfo();
        }
        layerId_ = ar.ReadInt16();
        if (CConnection* c = GetConnection()) {
            c->Serialize(ar);
            if (version < 8) c->DropAttachments();
        } else {
            SerializeShapeData(ar);
        }
        if (CAnchorFmt* set = GetSnapSet(true)) set->Serialize(ar);
        const double angle = ar.ReadDouble();
        tracker_->rotateAngle = std::isfinite(angle) ? angle : 0.0;
        if (angle != 0.0) tracker_->unrotatedRect = ReadRect16(ar);
    }
    if (version >= 6) ar.Skip(ar.ReadByte());
    if (version >= 7) {
        tagText_ = ar.ReadString();
        ar.Skip(2);
    }
    if (version < 8 && groupInfo_)
        if (CAnchorFmt* set = GetSnapSet(true); set && !set->empty()) groupInfo_->hasSnapPoints = 0;
}
