#include "samples/TextSample.h"

#include <QImage>

#include "model/HyperOleDoc.h"
#include "platform/Bmp.h"
#include "samples/SampleShapes.h"
#include "shapes/BitmapOb.h"
#include "shapes/BorderOb.h"
#include "shapes/RectOb.h"
#include "shapes/TextOb.h"

using vxsample::Add;

namespace {

LOGFONT Face(const char* face, int height, int weight = 0) {
    LOGFONT lf;
    lf.lfHeight = -height;
    lf.lfWeight = weight;
    lf.lfFaceName = face;
    return lf;
}

CTextOb* Text(CHyperPage& page, const char* code, const CRect& r, const std::string& text,
              const LOGFONT& lf, int align = CTextOb::kCentre) {
    CTextOb* t = Add<CTextOb>(page, code, r);
    t->SetFont(lf);
    t->SetText(text);
    t->setAlignment(align);
    t->SetForeColor(vx::RGB(0, 0, 0));
    t->Update(1, 0);
    return t;
}

// A small picture drawn pixel by pixel (so it is the same everywhere): a
// white ground, a blue disc and a red square.
QImage Picture() {
    QImage img(48, 36, QImage::Format_ARGB32);
    img.fill(qRgb(255, 255, 255));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int dx = x - 16, dy = y - 18;
            if (dx * dx + dy * dy <= 12 * 12 + 6) img.setPixel(x, y, qRgb(40, 90, 200));
            if (x >= 26 && x < 42 && y >= 8 && y < 28) img.setPixel(x, y, qRgb(210, 40, 40));
        }
    return img;
}

CBitmapOb* Bitmap(CHyperPage& page, const char* code, const CRect& r, int layout) {
    CBitmapOb* b = Add<CBitmapOb>(page, code, r);
    b->setLayout(layout);
    b->SetPenWidth(0);
    // Three colours: a 4-bit bitmap keeps the design small.
    b->imageValue().SetData(vx::EncodeBmp(Picture(), 4), CImageValue::kPasted);
    b->SetRect(r);
    b->Update(1, 0);
    return b;
}

}  // namespace

bool WriteTextSample(const std::string& dir) {
    CMyDoc doc;
    doc.SetTitle("text.vxw");
    doc.SetDescription(
        "Text blocks (alignments, faces, wrapping, vertical and turned text) and bitmaps in "
        "each layout, one with a transparent colour.");
    doc.frameObject()->title = "Text and bitmaps";
    doc.frameObject()->width = 660;
    doc.frameObject()->height = 640;
    CHyperPage& page = doc.mainPage();
    page.pageObject()->scrollHeight = 640;

    // Row 1: the three alignments in the three faces designs name.
    CRectOb* faces = Add<CRectOb>(page, "Faces", CRect(20, 20, 640, 140));
    faces->SetText("Alignment and faces");
    CTextOb* left = Text(page, "Left", CRect(40, 50, 230, 80), "Left in Arial", Face("Arial", 16),
                         CTextOb::kLeft);
    left->SetPenWidth(1);
    left->Update(1, 0);
    Text(page, "Centre", CRect(235, 50, 425, 80), "Centred in Times New Roman",
         Face("Times New Roman", 16));
    CTextOb* right = Text(page, "Right", CRect(430, 50, 620, 80), "Right in Courier New",
                          Face("Courier New", 14), CTextOb::kRight);
    right->SetBackColor(vx::RGB(255, 255, 224));
    right->SetPenWidth(1);
    right->Update(1, 0);
    Text(page, "Bold", CRect(40, 95, 620, 125), "A bold heading, centred",
         Face("Arial", 20, vx::FW_BOLD));

    // Row 2: a paragraph that grew to fit, a disabled border, vertical text.
    CTextOb* para =
        Text(page, "Paragraph", CRect(20, 160, 260, 180),
             "A text block wraps its words at the width of the block and grows downward until the "
             "whole text fits. Deleting text never makes it smaller again.",
             Face("Arial", 14), CTextOb::kLeft);
    para->SetPenWidth(1);
    para->SetBackColor(vx::RGB(240, 248, 255));
    para->Update(1, 0);  // the border line takes room too
    CTextOb* note = Text(page, "Note", CRect(280, 160, 420, 240),
                         "No border and no fill: \"4 - Disable\"", Face("Times New Roman", 15));
    note->setBorderStyle(CBorderOb::kHidden);
    note->SetForeColor(vx::RGB(0, 0, 160));
    CTextOb* up = Text(page, "Up", CRect(450, 160, 490, 330), "Vertical up", Face("Arial", 16));
    up->setOrientation(CTextOb::kVerticalUp);
    up->SetPenWidth(1);
    CTextOb* down =
        Text(page, "Down", CRect(510, 160, 550, 330), "Vertical down", Face("Arial", 16));
    down->setOrientation(CTextOb::kVerticalDown);
    down->SetPenWidth(1);
    CTextOb* turned =
        Text(page, "Turned", CRect(250, 280, 430, 310), "Turned with its block", Face("Arial", 16));
    turned->SetRotateAngleRaw(-20);
    turned->Update(1, 0);

    // Row 3: one picture in each layout, in frames of the same size.
    const struct {
        const char* code;
        int layout;
    } layouts[] = {{"Centre", CBitmapOb::kCentre},
                   {"Left", CBitmapOb::kLeft},
                   {"Right", CBitmapOb::kRight},
                   {"Stretch", CBitmapOb::kStretch}};
    int x = 30;
    for (const auto& l : layouts) {
        const CRect r(x, 380, x + 110, 460);
        CBitmapOb* b = Bitmap(page, (std::string("Bitmap") + l.code).c_str(), r, l.layout);
        b->SetBackColor(vx::RGB(255, 250, 230));
        Text(page, (std::string("Label") + l.code).c_str(), CRect(x, 465, x + 110, 485), l.code,
             Face("Arial", 13));
        x += 130;
    }
    Bitmap(page, "BitmapFit", CRect(550, 380, 600, 430), CBitmapOb::kSizeToFit);
    Text(page, "LabelFit", CRect(530, 465, 630, 485), "Size to fit", Face("Arial", 13));

    // Row 4: white made transparent over a hatched border.
    // (Each shape added goes behind the ones before it.)
    CBitmapOb* see = Bitmap(page, "SeeThrough", CRect(60, 530, 160, 600), CBitmapOb::kStretch);
    see->imageValue().setTransparentColor(vx::RGB(255, 255, 255));
    Bitmap(page, "Solid", CRect(200, 530, 300, 600), CBitmapOb::kStretch);
    CBorderOb* behind = Add<CBorderOb>(page, "Behind", CRect(30, 520, 330, 610));
    behind->SetBackColor(vx::RGB(224, 255, 224));
    behind->SetHatchStyle(HS_DIAGCROSS);
    behind->SetForeColor(vx::RGB(0, 128, 0));
    Text(page, "LabelTransparent", CRect(350, 540, 630, 590),
         "Left: white is the transparent colour, the hatch shows through. Right: the same picture "
         "without.",
         Face("Arial", 13), CTextOb::kLeft);
    return doc.SaveToFile(dir + "/text.vxw").empty();
}
