#include "samples/UmlSample.h"

#include "model/HyperOleDoc.h"
#include "samples/SampleShapes.h"
#include "shapes/RectOb.h"
#include "uml/ClassOb.h"
#include "uml/DesignElements.h"
#include "uml/VexelConn.h"

using vxsample::Add;
using vxsample::Connect;

namespace {

// Positions of an element's default snap points.
enum Side { kTop = 0, kRight = 1, kBottom = 2, kLeft = 3 };

CPoint At(CPointModelOb* ob, Side side) {
    CSnapList& list = ob->snapList();
    return list.Position(*list.set().point(size_t(side)));
}

// An association from `a`'s `sa` point to `b`'s `sb` point with end
// symbols at its begin (at `a`) and its end (at `b`).
CVexelConn* Associate(CHyperPage& page, const char* code, CPointModelOb* a, Side sa, CPointModelOb* b, Side sb,
                      int begin, int end, const char* label = "") {
    CVexelConn* c = vxsample::Join<CVexelConn>(page, code, At(a, sa), At(b, sb), label);
    c->setBeginSymbol(begin);
    c->setEndSymbol(end);
    c->setArrowheadHeight(10);
    c->setFillStyle(CVexelConn::kOutline);
    return c;
}

CRectOb* Frame(CHyperPage& page, const char* code, const CRect& r, const char* caption) {
    CRectOb* frame = Add<CRectOb>(page, code, r);
    frame->SetText(caption);
    return frame;
}

template <class T>
T* Element(CHyperPage& page, const char* code, const CRect& r, const char* text, COLORREF fill) {
    T* ob = Add<T>(page, code, r);
    ob->SetText(text);
    ob->SetBackColor(fill);
    return ob;
}

void UseCases(CHyperPage& page) {
    auto* customer = Element<CActorOb>(page, "Customer", CRect(70, 70, 120, 210), "Customer", -1);
    auto* clerk = Element<CActorOb>(page, "Clerk", CRect(620, 70, 670, 210), "Clerk", -1);
    auto* place = Element<CUseCaseOb>(page, "PlaceOrder", CRect(270, 50, 460, 150), "Place order",
                                      vx::RGB(224, 240, 255));
    auto* track = Element<CUseCaseOb>(page, "TrackOrder", CRect(270, 170, 460, 270), "Track order",
                                      vx::RGB(224, 240, 255));
    auto* note = Element<CNoteOb>(page, "PaidNote", CRect(520, 230, 700, 300), "Paid on delivery",
                                  vx::RGB(255, 255, 200));
    Associate(page, "Orders", customer, kRight, place, kLeft, CVexelConn::kNone, CVexelConn::kNone);
    Associate(page, "Tracks", customer, kBottom, track, kLeft, CVexelConn::kNone, CVexelConn::kNone);
    Associate(page, "Handles", clerk, kLeft, place, kRight, CVexelConn::kNone, CVexelConn::kNone);
    Connect(page, "Explains", At(note, kLeft), At(track, kRight), 0);
    Frame(page, "UseCases", CRect(20, 20, 740, 320), "Use cases");
}

void Classes(CHyperPage& page) {
    auto* order = Element<CClassOb>(page, "Order", CRect(60, 370, 280, 670), "Order", vx::RGB(255, 250, 235));
    order->attributes().text = "- id : int\n- date : Date\n- total : Money\n- status : Status";
    order->operations().text = "+ place()\n+ cancel()\n+ pay(amount)\n+ ship()";
    auto* buyer = Element<CClassOb>(page, "Buyer", CRect(480, 370, 700, 670), "Buyer", vx::RGB(255, 250, 235));
    buyer->attributes().text = "- name : String\n- address : Address";
    buyer->operations().text = "+ orders() : List\n+ rename(name)";
    Associate(page, "Places", buyer, kLeft, order, kRight, CVexelConn::kNone, CVexelConn::kArrow, "places");
    Frame(page, "ClassDiagram", CRect(20, 340, 740, 700), "Classes");
}

void Deployment(CHyperPage& page) {
    auto* shop = Element<CPackageOb>(page, "Shop", CRect(60, 760, 220, 900), "Shop", vx::RGB(235, 245, 235));
    shop->SetPackageText("<<system>>");
    auto* service = Element<CComponentOb>(page, "OrderService", CRect(300, 750, 440, 900), "Orders",
                                          vx::RGB(255, 240, 240));
    auto* server = Element<CNodeOb>(page, "Server", CRect(540, 760, 700, 900), "Server", vx::RGB(240, 240, 255));
    Associate(page, "Contains", shop, kRight, service, kLeft, CVexelConn::kBrackets, CVexelConn::kNone);
    Associate(page, "RunsOn", service, kRight, server, kLeft, CVexelConn::kNone, CVexelConn::kArrow);
    Frame(page, "Deploy", CRect(20, 720, 740, 930), "Packages, components and nodes");
}

}  // namespace

bool WriteUmlSample(const std::string& dir) {
    CMyDoc doc;
    doc.SetTitle("uml.vxw");
    doc.SetDescription("The UML elements: actors, use cases and a note; class boxes with attributes and "
                       "operations; a package, a component and a node, joined by associations routed between their snap points.");
    doc.frameObject()->title = "UML";
    doc.frameObject()->width = 780;
    doc.frameObject()->height = 960;
    CHyperPage& page = doc.mainPage();
    page.pageObject()->scrollWidth = 760;
    page.pageObject()->scrollHeight = 960;
    UseCases(page);
    Classes(page);
    Deployment(page);
    vxsample::RouteAll(page);
    return doc.SaveToFile(dir + "/uml.vxw").empty();
}
