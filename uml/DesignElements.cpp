#include "uml/DesignElements.h"

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/PropItems.h"
#include "platform/DC.h"
#include "uml/UmlPropIds.h"

VX_IMPLEMENT_SERIAL(CActorOb, CPointModelOb, 0)
VX_IMPLEMENT_SERIAL(CUseCaseOb, CPointModelOb, 0)
VX_IMPLEMENT_SERIAL(CPackageOb, CPointModelOb, 0)
VX_IMPLEMENT_SERIAL(CComponentOb, CPointModelOb, 0)
VX_IMPLEMENT_SERIAL(CNodeOb, CPointModelOb, 0)
VX_IMPLEMENT_SERIAL(CNoteOb, CPointModelOb, 0)

namespace {

// The box a–b widened by `dx` on both sides.
CRect Widened(CRect r, int dx) {
    r.InflateRect(dx, 0);
    return r;
}

}  // namespace

// ---- actor ----

// Name box, head box, body, arms and the two feet.
const CPoint CActorOb::kDefaultPoints[10] = {{15, 0},  {25, 20}, {16, 30}, {30, 45}, {23, 45},
                                             {23, 65}, {7, 55},  {40, 55}, {8, 90},  {38, 90}};

int CActorOb::GetToolStringId() const { return vx::tool::kActor; }

void CActorOb::DrawFigure(CDC& dc) {
    if (points_.size() < 10) return;
    dc.Ellipse(BoxOf(2, 3));
    DrawLine(dc, 4, 5);
    DrawLine(dc, 6, 7);
    DrawLine(dc, 5, 8);
    DrawLine(dc, 5, 9);
}

void CActorOb::DrawTexts(CDC& dc) {
    if (points_.size() >= 2) DrawTextBox(dc, text_, Widened(BoxOf(0, 1), 20));
}

// ---- use case ----

const CPoint CUseCaseOb::kDefaultPoints[4] = {{0, 0}, {35, 25}, {0, 40}, {35, 65}};

int CUseCaseOb::GetToolStringId() const { return vx::tool::kUseCase; }

void CUseCaseOb::DrawFigure(CDC& dc) {
    if (points_.size() >= 4) dc.Ellipse(BoxOf(2, 3));
}

void CUseCaseOb::DrawTexts(CDC& dc) {
    if (points_.size() >= 2) DrawTextBox(dc, text_, BoxOf(0, 1));
}

// ---- package ----

// The body from its upper left corner round, then the tab above it.
const CPoint CPackageOb::kDefaultPoints[8] = {{50, 50},  {50, 120}, {130, 120}, {130, 50},
                                              {50, 50},  {50, 30},  {95, 30},   {95, 50}};

int CPackageOb::GetToolStringId() const { return vx::tool::kPackage; }

void CPackageOb::DrawFigure(CDC& dc) { DrawPolyline(dc, 0, std::min<size_t>(7, points_.size() - 1)); }

void CPackageOb::DrawTexts(CDC& dc) {
    if (points_.size() < 8) return;
    if (!packageText_.empty()) DrawTextBox(dc, packageText_, BoxOf(5, 7));
    if (!text_.empty()) DrawTextBox(dc, text_, BoxOf(0, 2));
}

void CPackageOb::SerializeTexts(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(text_);
        ar.WriteString(packageText_);
        return;
    }
    text_ = ar.ReadString();
    packageText_ = ar.ReadString();
}

void CPackageOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CPointModelOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CPackageOb>(&other)) packageText_ = o->packageText_;
}

std::unique_ptr<CPropOb> CPackageOb::CreateProperty(int id, bool withChoices) {
    if (id == vx::prop::kPackageText) return std::make_unique<CPropStr>(id, &packageText_);
    return CPointModelOb::CreateProperty(id, withChoices);
}

void CPackageOb::AddProperties(CPropList& list, bool withChoices) {
    CPointModelOb::AddProperties(list, withChoices);
    list.Add(CreateProperty(vx::prop::kPackageText, withChoices));
}

void CPackageOb::Dump(CDumpContext& dc) const {
    CPointModelOb::Dump(dc);
    dc.Field("PackageText", packageText_);
}

// ---- component ----

// Name box, then the outline from the lower end of the upper small
// rectangle's left edge round the box and through both small rectangles.
const CPoint CComponentOb::kDefaultPoints[23] = {
    {50, 15},  {115, 35}, {50, 68},  {50, 42}, {115, 42}, {115, 126}, {50, 126}, {50, 108},
    {34, 108}, {34, 92},  {50, 92},  {50, 84}, {34, 84},  {34, 68},   {50, 68},  {50, 68},
    {66, 68},  {66, 84},  {50, 84},  {50, 92}, {66, 92},  {66, 108},  {50, 108}};

int CComponentOb::GetToolStringId() const { return vx::tool::kComponent; }

void CComponentOb::DrawFigure(CDC& dc) {
    if (points_.size() >= 3) DrawPolyline(dc, 2, std::min<size_t>(22, points_.size() - 1));
}

void CComponentOb::DrawTexts(CDC& dc) {
    if (points_.size() >= 2) DrawTextBox(dc, text_, BoxOf(0, 1));
}

// ---- node ----

// Front face, top face and right face.
const CPoint CNodeOb::kDefaultPoints[11] = {{50, 50},   {78, 22},  {130, 22}, {130, 78},
                                            {102, 106}, {50, 106}, {50, 50},  {102, 50},
                                            {130, 22},  {102, 50}, {102, 106}};

int CNodeOb::GetToolStringId() const { return vx::tool::kNode; }

void CNodeOb::DrawFigure(CDC& dc) { DrawPolyline(dc, 0, std::min<size_t>(10, points_.size() - 1)); }

void CNodeOb::DrawTexts(CDC& dc) {
    if (points_.size() >= 5) DrawTextBox(dc, text_, BoxOf(0, 4));
}

// ---- note ----

const CPoint CNoteOb::kDefaultPoints[6] = {{0, 0}, {60, 0}, {80, 20}, {80, 80}, {0, 80}, {60, 20}};

int CNoteOb::GetToolStringId() const { return vx::tool::kNote; }

void CNoteOb::DrawFigure(CDC& dc) {
    if (points_.size() < 6) return;
    dc.Polygon(points_.data(), 5);
    dc.MoveTo(points_[1]);
    dc.LineTo(points_[5]);
    dc.LineTo(points_[2]);
}

void CNoteOb::DrawTexts(CDC& dc) {
    if (points_.size() < 4) return;
    const CRect box = CRect(points_[0].x, points_[2].y, points_[3].x, points_[3].y).Normalized();
    DrawTextBox(dc, text_, box);
}
