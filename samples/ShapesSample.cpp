#include "samples/ShapesSample.h"

#include "model/HyperOleDoc.h"
#include "samples/SampleShapes.h"
#include "shapes/ArcOb.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/HiliteOb.h"
#include "shapes/LineOb.h"
#include "shapes/RectOb.h"

using vxsample::Add;
using vxsample::Arc;
using vxsample::Connect;

bool WriteShapesSample(const std::string& dir) {
    CMyDoc doc;
    doc.SetTitle("shapes.vxw");
    doc.SetDescription("Every drawing shape: frames, borders, ellipses, arcs, a highlighter and lines attached "
                       "to snap points, and a connector routed round a shape.");
    doc.frameObject()->title = "Shapes";
    doc.frameObject()->width = 660;
    doc.frameObject()->height = 620;
    CHyperPage& page = doc.mainPage();
    page.pageObject()->scrollHeight = 620;

    // Row 1 in a frame: three shapes joined left to right.
    CRectOb* frame = Add<CRectOb>(page, "Flow", CRect(20, 20, 630, 190));
    frame->SetText("Flow");
    CBorderOb* start = Add<CBorderOb>(page, "Start", CRect(50, 70, 190, 150));
    start->SetBackColor(vx::RGB(255, 255, 224));
    start->SetPenWidth(2);
    CCircleOb* decide = Add<CCircleOb>(page, "Decide", CRect(260, 60, 400, 160));
    decide->SetBackColor(vx::RGB(224, 240, 255));
    decide->SetShadowStyle(2);
    CBorderOb* finish = Add<CBorderOb>(page, "Finish", CRect(470, 70, 600, 150));
    finish->SetBackColor(vx::RGB(224, 255, 224));
    finish->SetHatchStyle(HS_DIAGCROSS);
    finish->SetForeColor(vx::RGB(0, 128, 0));
    finish->SetShadowStyle(2);
    // The left point of "Decide" gives its colour to the line arriving there.
    CSnapPoint& in = *decide->snapList().set().point(3);
    in.colour = vx::RGB(192, 0, 0);
    in.useColour = 1;
    Connect(page, "Go", CPoint(190, 110), CPoint(260, 110), C1DOb::kHeadAtSecond);
    Connect(page, "Done", CPoint(400, 110), CPoint(470, 110), C1DOb::kHeadAtFirst | C1DOb::kHeadAtSecond);

    // Row 2: border styles and a rotated border.
    CBorderOb* etched = Add<CBorderOb>(page, "Etched", CRect(40, 230, 150, 310));
    etched->setBorderStyle(CBorderOb::kEtched);
    etched->SetPenWidth(2);
    etched->SetBackColor(vx::GetSysColor(vx::SysColor::ButtonFace));
    CBorderOb* sunken = Add<CBorderOb>(page, "Sunken", CRect(190, 230, 300, 310));
    sunken->setBorderStyle(CBorderOb::kSunken);
    sunken->SetPenWidth(3);
    sunken->SetForeColor(vx::RGB(128, 128, 128));
    sunken->SetBackColor(vx::RGB(240, 240, 240));
    CBorderOb* raised = Add<CBorderOb>(page, "Raised", CRect(340, 230, 450, 310));
    raised->setBorderStyle(CBorderOb::kRaised);
    raised->SetPenWidth(3);
    raised->SetForeColor(vx::RGB(128, 128, 128));
    raised->SetBackColor(vx::RGB(240, 240, 240));
    CBorderOb* turned = Add<CBorderOb>(page, "Turned", CRect(490, 235, 610, 305));
    turned->SetBackColor(vx::RGB(255, 224, 192));
    turned->SetRotateAngleRaw(20);
    turned->Update(1, 0);
    Connect(page, "Up", CPoint(120, 150), CPoint(95, 230), C1DOb::kHeadAtSecond);
    CLineOb* dashed = Connect(page, "Dashed", CPoint(150, 270), CPoint(190, 270), 0);
    dashed->SetPenStyle(PS_DASH);
    Connect(page, "Across", CPoint(300, 270), CPoint(340, 270), C1DOb::kHeadAtSecond)->setArrowheadStyle(
        C1DOb::kArrowOpen);

    // Row 3: arcs of every kind, an ellipse turned, a framed group.
    CRectOb* arcs = Add<CRectOb>(page, "Arcs", CRect(20, 340, 630, 520));
    arcs->SetText("Arcs and ellipses");
    arcs->setBorderStyle(CRectOb::kNormal);
    arcs->setBorderWidth(1);
    arcs->setAlignment(CRectOb::kCentre);
    CArcOb* quarter = Arc(page, "Quarter", CPoint(50, 480), 90, 100, 0, -90);
    quarter->SetPenWidth(2);
    CArcOb* chord = Arc(page, "Chord", CPoint(230, 430), 60, 60, 30, 210);
    chord->SetBackColor(vx::RGB(255, 240, 200));
    CArcOb* pie = Arc(page, "Pie", CPoint(360, 440), 60, 50, -30, -150);
    pie->SetWedge(true);
    pie->SetBackColor(vx::RGB(200, 220, 255));
    CCircleOb* tilted = Add<CCircleOb>(page, "Tilted", CRect(450, 400, 600, 470));
    tilted->SetBackColor(vx::RGB(230, 255, 230));
    tilted->SetRotateAngleRaw(-25);
    tilted->Update(1, 0);

    // Row 4: a line between a circle and a border below the arcs, and a
    // highlighter (shown on screen, never printed).
    CCircleOb* dot = Add<CCircleOb>(page, "Dot", CRect(60, 540, 110, 590));
    dot->SetBackColor(vx::RGB(255, 200, 200));
    CBorderOb* note = Add<CBorderOb>(page, "Note", CRect(300, 540, 500, 590));
    note->SetPenStyle(PS_DOT);
    CHiliteOb* marker = Add<CHiliteOb>(page, "Marker", CRect(290, 530, 520, 600));
    marker->setHiliteColor(CHiliteOb::kYellow);
    page.MoveTo(marker, 0);
    CLineOb* link = Connect(page, "Link", CPoint(110, 565), CPoint(300, 565), C1DOb::kHeadAtSecond, vx::RGB(0, 0, 160));
    link->SetPenWidth(2);
    link->setArrowheadStyle(C1DOb::kArrowOutline);
    // A connector routed over "Decide" from "Finish" back to "Start".
    CConnectOb* again = vxsample::Join<CConnectOb>(page, "Again", CPoint(120, 70), CPoint(535, 70), "again");
    again->setArrowhead(C1DOb::kHeadAtSecond);
    again->setArrowheadHeight(10);
    vxsample::RouteAll(page);
    return doc.SaveToFile(dir + "/shapes.vxw").empty();
}
