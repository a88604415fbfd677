#include "view/HyperView.h"

#include <iterator>

#include "command/CommandIds.h"

CHyperView::CHyperView(QWidget* parent) : CHyperRunView(parent) {
    SetZoomLevels(std::vector<int>(std::begin(kZoomLevels), std::end(kZoomLevels)));
    using namespace vx::cmd;
    commands_.On(kZoomIn, [this] { SetZoom(NextZoomLevel(Zoom())); },
                 [this](CCmdUI& ui) { ui.Enable(NextZoomLevel(Zoom()) != Zoom()); });
    commands_.On(kZoomOut, [this] { SetZoom(PrevZoomLevel(Zoom())); },
                 [this](CCmdUI& ui) { ui.Enable(PrevZoomLevel(Zoom()) != Zoom()); });
    commands_.On(kZoom100, [this] { SetZoom(100); }, [this](CCmdUI& ui) { ui.SetCheck(Zoom() == 100); });
}

void CHyperView::OnEraseBkgnd(CDC& dc) {
    if (!GetViewOb()) return;
    CHyperRunView::OnEraseBkgnd(dc);
    DrawGrid(dc);
}
