// Widget tests of the edit view: shows a view of a document's main page
// with a client area of exactly the given size (offscreen), a white
// scrolling page of that size, and adds frames placed by the program.
//
//     CMyDoc doc;                       // declared before the view
//     CHyperView view;
//     vxtest::ShowEditView(view, doc);  // 400 x 300 client pixels
//     CHyperOb* a = vxtest::AddFrame(view, CRect(20, 20, 60, 60));
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "shapes/RectOb.h"
#include "view/HyperView.h"

namespace vxtest {

inline void ShowEditView(CHyperView& view, CMyDoc& doc, int width = 400, int height = 300) {
    view.resize(width + 20, height + 20);
    view.SetDocument(&doc);
    CHyperViewOb* po = doc.mainPage().pageObject();
    po->color = vx::RGB(255, 255, 255);
    po->scrollWidth = width;
    po->scrollHeight = height;
    view.show();
    for (int i = 0; i < 3; ++i) {
        const QSize vp = view.viewport()->size();
        view.resize(view.width() + width - vp.width(), view.height() + height - vp.height());
    }
    view.OnInitialUpdate();
    ASSERT_EQ(view.ClientSize(), CSize(width, height));
}

// A filled frame (a transparent one is hit only near its edges), not
// selected and with no undo step.
inline CHyperOb* AddFrame(CHyperView& view, const CRect& r) {
    auto ob = std::make_unique<CRectOb>();
    ob->AttachToView(view.page(), nullptr, true);
    ob->SetBackColor(vx::RGB(200, 200, 200));
    ob->SetRect(r);
    return view.AddObject(std::move(ob), false, true);
}

// Whether a command of `target` is enabled now.
inline bool Enabled(CCmdTarget& target, int id) {
    CCmdUI ui(id);
    target.OnCmdMsg(id, &ui);
    return ui.enabled;
}

// Whether a command of `target` shows its check mark now.
inline bool Checked(CCmdTarget& target, int id) {
    CCmdUI ui(id);
    target.OnCmdMsg(id, &ui);
    return ui.checked;
}

}  // namespace vxtest
