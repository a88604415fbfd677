#include "view/HyperView.h"

#include <iterator>

CHyperView::CHyperView(QWidget* parent) : CHyperRunView(parent) {
    SetZoomLevels(std::vector<int>(std::begin(kZoomLevels), std::end(kZoomLevels)));
}

void CHyperView::OnEraseBkgnd(CDC& dc) {
    if (!GetViewOb()) return;
    CHyperRunView::OnEraseBkgnd(dc);
    DrawGrid(dc);
}
