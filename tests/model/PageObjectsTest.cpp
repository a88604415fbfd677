// The page object and the frame object: defaults, automation, copies and
// applying the frame to its window; the custom colours of a page.
#include <gtest/gtest.h>

#include "model/Archive.h"
#include "model/HyperFrameOb.h"
#include "model/HyperPage.h"
#include "support/TestSupport.h"

using vx::Variant;

namespace {

class FakeWindow : public CFrameWindowLink {
public:
    bool maximized = false;
    uint32_t style = 0x00020000 | 0x00010000 | 0x00040000 | 0x10000000;
    uint32_t exStyle = 0;
    int width = 0, height = 0, resizes = 0;
    std::string title;
    bool IsMaximized() const override { return maximized; }
    uint32_t Style() const override { return style; }
    uint32_t ExStyle() const override { return exStyle; }
    void SetStyle(uint32_t s) override { style = s; }
    void SetExStyle(uint32_t s) override { exStyle = s; }
    CSize NonClientSize() const override { return CSize(8, 30); }
    void Resize(int w, int h) override {
        width = w;
        height = h;
        ++resizes;
    }
    void SetTitle(const std::string& t) override { title = t; }
    bool MainWindowUp() const override { return true; }
};

}  // namespace

TEST(PageObject, Defaults) {
    CHyperPage page;
    CHyperViewOb* v = page.pageObject();
    EXPECT_EQ(v->scrollWidth, 650);
    EXPECT_EQ(v->scrollHeight, 800);
    EXPECT_EQ(v->scrollBars, 1);
    EXPECT_DOUBLE_EQ(v->printScale, 1.0);
    EXPECT_EQ(v->GetColor(), vx::GetSysColor(vx::SysColor::Window));
    EXPECT_EQ(v->GetCode(), "TheView");
    ASSERT_EQ(page.layers()->size(), 1u);
    EXPECT_EQ(page.layers()->layer(0)->name, "Default");
    v->SetProperty("Color", Variant(-1));
    EXPECT_EQ(v->GetColor(), vx::GetSysColor(vx::SysColor::ButtonFace));
    v->printScale = 0.0;
    EXPECT_DOUBLE_EQ(v->EffectivePrintScale(), 1.0);
}

TEST(PageObject, LayerPropertyByName) {
    CHyperPage page;
    CHyperViewOb* v = page.pageObject();
    const Variant name[] = {Variant("Default")};
    EXPECT_TRUE(v->GetProperty("Layer", name).ToBool());
    v->SetProperty("Layer", Variant(0x8000), name);
    EXPECT_FALSE(v->GetProperty("Layer", name).ToBool());
    const Variant missing[] = {Variant("Nope")};
    EXPECT_FALSE(v->GetProperty("Layer", missing).ToBool());
    v->SetProperty("Layer", Variant(1), missing);  // ignored
}

TEST(PageObject, FormFindSkipsPagesInEditMode) {
    CHyperPage editing, running;
    editing.pageObject()->formCode = "Orders";
    running.pageObject()->formCode = "Orders";
    running.editMode = false;
    const Variant arg[] = {Variant("ORDERS")};
    EXPECT_EQ(editing.pageObject()->Invoke("FormFind", arg).ToObject(), running.pageObject());
    EXPECT_TRUE(editing.pageObject()->Invoke("IsFormOpen", arg).ToBool());
    const Variant none[] = {Variant("Invoices")};
    EXPECT_EQ(editing.pageObject()->Invoke("FormFind", none).ToObject(), nullptr);
}

TEST(PageObject, CopyAndClone) {
    CHyperPage page;
    CHyperViewOb* v = page.pageObject();
    v->formCode = "F";
    v->GetLayers()->AddLayer("Extra");
    auto copy = v->Clone();
    EXPECT_EQ(copy->formCode, "F");
    EXPECT_EQ(copy->layers()->size(), 2u);
    EXPECT_NE(copy->layers(), v->layers());
}

TEST(FrameObject, StyleFieldsApplyOnlyTheirOwnBits) {
    CHyperFrameOb frame;
    FakeWindow w;
    frame.SetWindow(&w);
    EXPECT_EQ(frame.GetCode(), "TheFrame");
    EXPECT_EQ(frame.title, "Vexelwork");
    frame.SetProperty("MinimizeBox", Variant(int32_t(0xFFFDFFFF)));
    EXPECT_EQ(w.style & 0x00020000, 0u);
    EXPECT_NE(w.style & 0x10000000, 0u);  // other bits untouched
    frame.SetProperty("MinimizeBox", Variant(int32_t(0x00020000)));
    EXPECT_NE(w.style & 0x00020000, 0u);
    frame.SetProperty("WhatsThisHelp", Variant(int32_t(0x400)));
    EXPECT_EQ(w.exStyle, 0x400u);
}

TEST(FrameObject, ClientSizeAndMaximisedWindows) {
    CHyperFrameOb frame;
    FakeWindow w;
    frame.SetWindow(&w);
    frame.SetProperty("Width", Variant(400));
    EXPECT_EQ(w.width, 408);
    frame.SetProperty("Height", Variant(300));
    EXPECT_EQ(w.height, 330);
    // Removing the resizing border gives 2 pixels less.
    frame.SetProperty("BorderStyle", Variant(0));
    EXPECT_EQ(w.width, 406);
    w.maximized = true;
    const int before = w.resizes;
    frame.SetProperty("Width", Variant(500));
    EXPECT_EQ(w.resizes, before);
    EXPECT_EQ(frame.width, 500);
    EXPECT_EQ(w.title, "Vexelwork");
}

TEST(Page, CustomColoursAreZeroUnlessTheRecordHoldsThem) {
    CHyperPage fresh;
    for (COLORREF c : fresh.customColors) EXPECT_EQ(c, 0);
    // An untagged page record holds no colours: what the page had goes.
    CHyperPage page;
    page.customColors.fill(0x123456);
    vxtest::Bytes b;
    b.s("").dw(6).w(0).dw(0x000A000A).w(0).dw(0).w(0);
    CArchive ar(std::span<const uint8_t>(b.d));
    page.Serialize(ar);
    EXPECT_FALSE(page.wasCut());
    EXPECT_EQ(page.gridSpacing, CSize(10, 10));
    for (COLORREF c : page.customColors) EXPECT_EQ(c, 0);
}
