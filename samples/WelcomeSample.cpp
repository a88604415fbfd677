#include "samples/WelcomeSample.h"

#include <initializer_list>
#include <tuple>

#include "model/GroupInfo.h"
#include "model/GroupOps.h"
#include "model/HyperOleDoc.h"
#include "model/LayerFmt.h"
#include "samples/SampleShapes.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/HiliteOb.h"
#include "shapes/RectOb.h"

using vxsample::Add;
using vxsample::Arc;
using vxsample::Connect;

namespace {

// A frame with a caption; frames are added after what they enclose, so
// they lie behind it.
CRectOb* Frame(CHyperPage& page, const char* code, const CRect& r, const char* caption,
               COLORREF fill = -1) {
    CRectOb* frame = Add<CRectOb>(page, code, r);
    frame->SetText(caption);
    frame->SetBackColor(fill);
    return frame;
}

LOGFONT Bold(int pixels) {
    LOGFONT lf = vx::DefaultLogFont();
    lf.lfHeight = -pixels;
    lf.lfWeight = vx::FW_BOLD;
    return lf;
}

// Three steps joined by lines that stay attached when the steps move.
void Flow(CHyperPage& page) {
    CBorderOb* idea = Add<CBorderOb>(page, "Idea", CRect(60, 100, 190, 170));
    idea->SetBackColor(vx::RGB(255, 250, 205));
    idea->SetPenWidth(2);
    idea->SetShadowStyle(2);
    CCircleOb* design = Add<CCircleOb>(page, "Design", CRect(250, 90, 400, 180));
    design->SetBackColor(vx::RGB(215, 232, 255));
    design->SetPenWidth(2);
    design->SetShadowStyle(2);
    CBorderOb* share = Add<CBorderOb>(page, "Share", CRect(460, 100, 590, 170));
    share->SetBackColor(vx::RGB(220, 245, 220));
    share->SetHatchStyle(HS_DIAGCROSS);
    share->SetForeColor(vx::RGB(0, 128, 0));
    share->SetPenWidth(2);
    share->SetShadowStyle(2);
    // The left point of "Design" gives its colour to the line arriving there.
    CSnapPoint& in = *design->snapList().set().point(3);
    in.colour = vx::RGB(192, 0, 0);
    in.useColour = 1;
    Connect(page, "ToDesign", CPoint(190, 135), CPoint(250, 135), C1DOb::kHeadAtSecond)
        ->SetPenWidth(2);
    Connect(page, "ToShare", CPoint(400, 135), CPoint(460, 135),
            C1DOb::kHeadAtFirst | C1DOb::kHeadAtSecond)
        ->SetPenWidth(2);
    CLineOb* back = Connect(page, "Rework", CPoint(325, 180), CPoint(125, 170),
                            C1DOb::kHeadAtSecond, vx::RGB(160, 0, 0));
    back->SetPenStyle(PS_DASH);
    back->setArrowheadStyle(C1DOb::kArrowOpen);

    for (const auto& [code, r, caption] :
         {std::tuple{"IdeaFrame", CRect(48, 78, 202, 186), "Idea"},
          std::tuple{"DesignFrame", CRect(238, 70, 412, 196), "Design"},
          std::tuple{"ShareFrame", CRect(448, 78, 602, 186), "Share"}}) {
        CRectOb* label = Frame(page, code, r, caption);
        label->setBorderStyle(CRectOb::kNormal);
        label->setBorderWidth(1);
        label->setAlignment(CRectOb::kCentre);
        label->setBorderColor(vx::RGB(160, 160, 160));
    }
    Frame(page, "Flow", CRect(30, 44, 620, 222),
          "Draw shapes and join them: lines stay on their snap points", vx::RGB(250, 250, 255));
}

// Borders in their styles, arcs and ellipses.
void Shapes(CHyperPage& page) {
    CBorderOb* etched = Add<CBorderOb>(page, "Etched", CRect(50, 276, 150, 326));
    etched->setBorderStyle(CBorderOb::kEtched);
    etched->SetPenWidth(2);
    etched->SetBackColor(vx::GetSysColor(vx::SysColor::ButtonFace));
    CBorderOb* raised = Add<CBorderOb>(page, "Raised", CRect(180, 276, 300, 326));
    raised->setBorderStyle(CBorderOb::kRaised);
    raised->SetPenWidth(3);
    raised->SetForeColor(vx::RGB(128, 128, 128));
    raised->SetBackColor(vx::RGB(240, 240, 240));
    CArcOb* pie = Arc(page, "Pie", CPoint(105, 410), 55, 50, 330, 30);
    pie->SetWedge(true);
    pie->SetBackColor(vx::RGB(255, 215, 150));
    pie->SetPenWidth(2);
    CArcOb* chord = Arc(page, "Chord", CPoint(240, 410), 50, 50, 30, 210);
    chord->SetBackColor(vx::RGB(200, 220, 255));
    CArcOb* bow = Arc(page, "Bow", CPoint(240, 410), 60, 60, 180, 60);
    bow->SetPenWidth(2);
    bow->SetForeColor(vx::RGB(0, 0, 160));
    CCircleOb* tilted = Add<CCircleOb>(page, "Tilted", CRect(70, 470, 290, 510));
    tilted->SetBackColor(vx::RGB(230, 255, 230));
    tilted->SetRotateAngleRaw(-8);
    tilted->Update(1, 0);
    Frame(page, "Shapes", CRect(30, 244, 320, 530), "Borders, arcs and ellipses",
          vx::RGB(255, 252, 245));
}

// A group on the second layer, a highlighter over a hatched border.
void Layers(CHyperPage& page) {
    CLayer* notes = page.layers()->AddLayer("Notes");
    CBorderOb* note = Add<CBorderOb>(page, "Note", CRect(370, 282, 480, 342));
    note->SetBackColor(vx::RGB(255, 225, 235));
    note->SetPenStyle(PS_DOT);
    CCircleOb* pin = Add<CCircleOb>(page, "Pin", CRect(520, 287, 590, 337));
    pin->SetBackColor(vx::RGB(255, 200, 200));
    CLineOb* tie = Connect(page, "Tie", CPoint(480, 312), CPoint(520, 312), C1DOb::kHeadAtSecond,
                           vx::RGB(160, 0, 80));
    tie->setArrowheadStyle(C1DOb::kArrowOutline);
    for (CHyperOb* ob : std::initializer_list<CHyperOb*>{note, pin, tie}) ob->setLayerId(notes->id);
    // Note and Pin move together: one group, its record in Note.
    CGroupState groups;
    CGroupOps::Group(page, {note, pin}, groups, true);
    note->groupInfo()->code = "Pair";

    CBorderOb* stripes = Add<CBorderOb>(page, "Stripes", CRect(370, 372, 590, 432));
    stripes->SetHatchStyle(HS_BDIAGONAL);
    stripes->SetForeColor(vx::RGB(0, 0, 192));
    CHiliteOb* marker = Add<CHiliteOb>(page, "Marker", CRect(360, 392, 600, 414));
    marker->setHiliteColor(CHiliteOb::kYellow);
    page.MoveTo(marker, 0);
    CBorderOb* base = Add<CBorderOb>(page, "Base", CRect(410, 462, 550, 512));
    base->SetPenWidth(2);
    base->SetBackColor(vx::RGB(235, 225, 255));
    base->SetShadowStyle(2);
    Connect(page, "Down", CPoint(480, 432), CPoint(480, 462), C1DOb::kHeadAtSecond);
    Frame(page, "Layers", CRect(340, 244, 620, 530), "Layers, a group, a highlighter",
          vx::RGB(250, 255, 250));
}

}  // namespace

bool WriteWelcomeSample(const std::string& dir) {
    CMyDoc doc;
    doc.SetTitle("welcome.vxw");
    doc.SetDescription(
        "A first look at the editor: frames with captions, borders, ellipses, arcs, lines attached "
        "to snap points, a highlighter, a group and two layers.");
    doc.frameObject()->title = "Welcome to Vexelwork";
    doc.frameObject()->width = 650;
    doc.frameObject()->height = 560;
    CHyperPage& page = doc.mainPage();
    page.pageObject()->scrollHeight = 560;

    Flow(page);
    Shapes(page);
    Layers(page);
    CRectOb* welcome = Frame(page, "Welcome", CRect(10, 12, 640, 548), "Welcome to Vexelwork");
    welcome->setAlignment(CRectOb::kCentre);
    welcome->SetFont(Bold(16));
    return doc.SaveToFile(dir + "/welcome.vxw").empty();
}
