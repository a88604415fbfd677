#include "uml/ClassOb.h"

#include <algorithm>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "platform/DC.h"
#include "shapes/ShapePropIds.h"
#include "uml/UmlPropIds.h"

VX_IMPLEMENT_SERIAL(CClassOb, CPointModelOb, 0)

const CClassInfo CClassDefinition::classInfo = {"CClassDefinition", 0, &CObject::classInfo, nullptr};
const CClassInfo CPropClass::classInfo = {"CPropClass", 0, &CPropStr::classInfo, nullptr};

namespace P = vx::prop;

// ---- definition texts ----

size_t CClassDefinition::LineCount() const { return size_t(std::count(text.begin(), text.end(), '\n')) + 1; }

void CClassDefinition::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteString(text);
        return;
    }
    ar.ReadVersion("CClassDefinition");
    text = ar.ReadString();
}

// ---- the class box ----

const CPoint CClassOb::kDefaultPoints[4] = {{0, 0}, {80, 0}, {80, 80}, {0, 80}};
const CPoint CClassOb::kDefaultDividers[4] = {{0, 30}, {80, 30}, {0, 60}, {80, 60}};

CClassOb::CClassOb() = default;

int CClassOb::GetToolStringId() const { return vx::tool::kClass; }

CClassDefinition* CClassOb::Definition(int kind) {
    if (kind == kAttributes) return &attributes_;
    if (kind == kOperations) return &operations_;
    return nullptr;
}

void CClassOb::ApplyViewDefaults() {
    std::copy(std::begin(kDefaultDividers), std::end(kDefaultDividers), dividers_.begin());
    CPointModelOb::ApplyViewDefaults();
}

void CClassOb::OnPointsFitted(const CRect& from, const CRect& to) {
    std::vector<CPoint> d(dividers_.begin(), dividers_.end());
    FitPoints(d, from, to);
    std::copy(d.begin(), d.end(), dividers_.begin());
}

void CClassOb::OnPointCountChanged() { dividers_ = {}; }

CClassOb::Layout CClassOb::LayoutFor(const CRect& box, int nameHeight, int maxBottom) const {
    const int64_t attributes = int64_t(attributes_.LineCount()) * kLineHeight + kCompartmentPadding;
    const int64_t operations = int64_t(operations_.LineCount()) * kLineHeight + kCompartmentPadding;
    Layout l;
    int64_t bottom = box.bottom;
    // Only a box a rectangle can store grows (at most about 3,300 steps).
    if (bottom < INT16_MIN) maxBottom = INT32_MIN;
    for (;;) {
        const int64_t height = bottom - box.top;
        const int64_t h = std::clamp<int64_t>(nameHeight, 0, std::max<int64_t>(height, 0));
        const int64_t nameTop = box.top + (height - h) / 2;
        const int64_t d1 = nameTop + h;
        const int64_t d2 = d1 + attributes;
        const int64_t end = d2 + operations;
        l.nameTop = vx::Saturate32(nameTop);
        l.nameHeight = int(h);
        l.divider1 = vx::Saturate32(d1);
        l.divider2 = vx::Saturate32(d2);
        l.end = vx::Saturate32(end);
        // The name moves down by half of each step, so the box needs about
        // twice what is missing; it stops growing at the largest bottom a
        // rectangle can store.
        if (bottom >= end + kGrowStep || bottom + kGrowStep > maxBottom) break;
        bottom += kGrowStep;
        l.growth += kGrowStep;
    }
    return l;
}

bool CClassOb::LayOut(CDC& dc) {
    const LOGFONT lf = GetLogFont(true);
    if (lf.lfEscapement != 0) return false;
    CRect box = BoxOf(0, 2);
    const int align = EffectiveAlignment();
    const unsigned fmt = DT_WORDBREAK | DT_NOPREFIX | (align == kRight ? DT_RIGHT : align == kCentre ? DT_CENTER : DT_LEFT);
    CRect measured = box;
    const CFont oldFont = dc.SelectObject(CFont(lf));
    dc.DrawText(text_, measured, fmt | DT_CALCRECT);
    dc.SelectObject(oldFont);
    const Layout l = LayoutFor(box, std::max(0, measured.Height()), INT16_MAX);
    if (l.growth > 0) {
        // The two bottom corners move down; the rectangle follows the points.
        points_[2].y = vx::AddSat(points_[2].y, l.growth);
        points_[3].y = points_[2].y;
        SetRect(PointBounds());
        Update(0, 0);
        box = BoxOf(0, 2);
    }
    const CRect r = Rect().Normalized();
    dividers_ = {CPoint(box.left, l.divider1), CPoint(r.right, l.divider1), CPoint(box.left, l.divider2),
                 CPoint(r.right, l.divider2)};
    return true;
}

void CClassOb::DrawShape(CDC& dc) {
    if (!pointsComplete_ || points_.size() < 4) return;
    if (!text_.empty()) LayOut(dc);
    WithFigurePen(dc, [&] { DrawFigure(dc); });
    if (!text_.empty()) DrawTexts(dc);
}

void CClassOb::DrawFigure(CDC& dc) {
    dc.Rectangle(BoxOf(0, 2));
    for (size_t i = 0; i < 4; i += 2) {
        dc.MoveTo(dividers_[i]);
        dc.LineTo(dividers_[i + 1]);
    }
}

void CClassOb::DrawDefinition(CDC& dc, const CClassDefinition& d, const CRect& r) {
    if (d.text.empty() || r.IsRectEmpty()) return;
    const int align = EffectiveAlignment();
    const unsigned fmt = DT_WORDBREAK | DT_NOPREFIX | (align == kRight ? DT_RIGHT : align == kCentre ? DT_CENTER : DT_LEFT);
    const CFont oldFont = dc.SelectObject(CFont(GetLogFont(true)));
    const COLORREF oldColour = dc.SetTextColor(GetTextColor());
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    CRect box = r;
    dc.DrawText(d.text, box, fmt);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColour);
    dc.SelectObject(oldFont);
}

void CClassOb::DrawTexts(CDC& dc) {
    const CRect box = BoxOf(0, 2);
    DrawTextBox(dc, text_, box);
    // Fonts that are not horizontal show the name only.
    if (GetLogFont(true).lfEscapement != 0) return;
    const CRect r = Rect().Normalized();
    DrawDefinition(dc, attributes_, CRect(box.left, dividers_[0].y, r.right, r.bottom));
    DrawDefinition(dc, operations_, CRect(box.left, dividers_[2].y, r.right, r.bottom));
}

// ---- copying, storage, dump ----

void CClassOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CPointModelOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CClassOb>(&other)) {
        dividers_ = o->dividers_;
        attributes_.text = o->attributes_.text;
        operations_.text = o->operations_.text;
    }
}

void CClassOb::Serialize(CArchive& ar) {
    CPointModelOb::Serialize(ar);
    if (ar.IsStoring()) {
        for (const CPoint& p : dividers_) {
            ar.WriteInt32(p.x);
            ar.WriteInt32(p.y);
        }
    } else {
        for (CPoint& p : dividers_) {
            p.x = ar.ReadInt32();
            p.y = ar.ReadInt32();
        }
    }
    attributes_.Serialize(ar);
    operations_.Serialize(ar);
}

void CClassOb::Dump(CDumpContext& dc) const {
    CPointModelOb::Dump(dc);
    dc.Field("Divider1", CRect(dividers_[0].x, dividers_[0].y, dividers_[1].x, dividers_[1].y));
    dc.Field("Divider2", CRect(dividers_[2].x, dividers_[2].y, dividers_[3].x, dividers_[3].y));
    dc.Field("Attributes", attributes_.text);
    dc.Field("Operations", operations_.text);
}

// ---- property items ----

std::unique_ptr<CPropOb> CClassOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kClassName: return std::make_unique<CPropStr>(id, &text_);
        case P::kClassAttribute: return std::make_unique<CPropClass>(id, kAttributes, &attributes_);
        case P::kClassOperation: return std::make_unique<CPropClass>(id, kOperations, &operations_);
        default: return CPointModelOb::CreateProperty(id, withChoices);
    }
}

void CClassOb::AddProperties(CPropList& list, bool withChoices) {
    CPointModelOb::AddProperties(list, withChoices);
    for (int id : {P::kClassName, P::kClassAttribute, P::kClassOperation}) list.Add(CreateProperty(id, withChoices));
}

// ---- the definition item ----

CPropClass::CPropClass(int nameId, int kind, CClassDefinition* member)
    : CPropStr(nameId, member ? &member->text : nullptr, 0, kDialogButton, kClassDefinition), definitionKind(kind) {
    dialogTitle = P::kTextClass;
}

bool CPropClass::GetValueText(std::string& out) const {
    // The first line stands for the whole text in the row.
    const size_t lf = value_.find('\n');
    out = lf == std::string::npos ? value_ : value_.substr(0, lf) + " ...";
    return true;
}

bool CPropClass::OpenDialog() {
    const Editor& run = editor();
    if (!run) return false;
    std::string text = value_;
    if (!run(text, definitionKind)) return false;
    value_ = text;
    return true;
}

CPropClass::Editor& CPropClass::editor() {
    static Editor e;
    return e;
}
