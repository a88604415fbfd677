#include "view/TestObjects.h"

#include "model/HyperPage.h"
#include "platform/DC.h"

namespace vxtest {

void CFilledOb::DrawShape(CDC& dc) { dc.FillSolidRect(Rect(), fill_ == vx::kAutoColor ? GetPageColor() : fill_); }

CHyperOb* AddFilledOb(CHyperPage& page, const CRect& rect, COLORREF fill) {
    CHyperOb* ob = page.Insert(std::make_unique<CFilledOb>(fill));
    ob->SetRect(rect);
    return ob;
}

}  // namespace vxtest
