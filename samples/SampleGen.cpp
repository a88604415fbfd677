// Writes the sample designs shipped in samples/ (run after changing what a
// sample should show): vx_samplegen OUTPUT_FOLDER
#include <QCoreApplication>
#include <cstdio>

#include "model/GroupInfo.h"
#include "model/GroupOps.h"
#include "model/HyperOleDoc.h"
#include "samples/ShapesSample.h"
#include "shapes/ShapeClasses.h"

namespace {

CHyperOb* Add(CMyDoc& doc, const char* code, CRect r) {
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw(code);
    CHyperOb* raw = doc.mainPage().Insert(std::move(ob));
    raw->SetRect(r);
    return raw;
}

bool Welcome(const std::string& dir) {
    CMyDoc doc;
    doc.SetTitle("welcome.vxw");
    doc.SetDescription("A first look at a design: a few objects on two layers, two of them grouped.");
    doc.frameObject()->title = "Welcome";
    doc.frameObject()->width = 640;
    doc.frameObject()->height = 480;
    CHyperPage& page = doc.mainPage();
    CLayer* notes = page.layers()->AddLayer("Notes");
    Add(doc, "Header", CRect(20, 20, 620, 60))->setToolTipText("The title band");
    CHyperOb* left = Add(doc, "Left", CRect(40, 100, 240, 200));
    CHyperOb* right = Add(doc, "Right", CRect(360, 100, 560, 200));
    right->SetBackColor(0xC0FFC0);
    // Left and Right move together: one group, its record in Left.
    CGroupState groups;
    CGroupOps::Group(page, {left, right}, groups, true);
    left->groupInfo()->code = "Pair";
    CHyperOb* note = Add(doc, "Note", CRect(200, 260, 440, 320));
    note->setLayerId(notes->id);
    note->SetTag(vx::Variant("remember"));
    return doc.SaveToFile(dir + "/welcome.vxw").empty();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegisterModelClasses();
    RegisterShapeClasses();
    const std::string dir = argc > 1 ? argv[1] : ".";
    if (!Welcome(dir)) {
        std::fprintf(stderr, "vx_samplegen: cannot write %s/welcome.vxw\n", dir.c_str());
        return 1;
    }
    if (!WriteShapesSample(dir)) {
        std::fprintf(stderr, "vx_samplegen: cannot write %s/shapes.vxw\n", dir.c_str());
        return 1;
    }
    return 0;
}
