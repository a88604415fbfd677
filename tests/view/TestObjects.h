// Page objects for view tests: plain objects that fill their rectangle.
#pragma once

#include "model/HyperOb.h"
#include "platform/Color.h"

class CHyperPage;

namespace vxtest {

// Fills its rectangle with a colour (-1: the page colour).
class CFilledOb : public CHyperOb {
public:
    explicit CFilledOb(COLORREF fill) : fill_(fill) {}
    void DrawShape(CDC& dc) override;

private:
    COLORREF fill_;
};

// Appends (at the back) a filled object with `rect`; returns it.
CHyperOb* AddFilledOb(CHyperPage& page, const CRect& rect, COLORREF fill);

}  // namespace vxtest
