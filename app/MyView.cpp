#include "app/MyView.h"

#include "app/CommandIds.h"
#include "model/HyperOleDoc.h"

CMyView::CMyView(CMyDoc* doc, QWidget* parent) : CHyperView(parent), doc_(doc) {
    using namespace vx::cmd;
    commands_.On(kZoomIn, [this] { SetZoom(NextZoomLevel(Zoom())); },
                 [this](CCmdUI& ui) { ui.Enable(NextZoomLevel(Zoom()) != Zoom()); });
    commands_.On(kZoomOut, [this] { SetZoom(PrevZoomLevel(Zoom())); },
                 [this](CCmdUI& ui) { ui.Enable(PrevZoomLevel(Zoom()) != Zoom()); });
    commands_.On(kZoom100, [this] { SetZoom(100); }, [this](CCmdUI& ui) { ui.SetCheck(Zoom() == 100); });
    OnDocumentLoaded();
}

CMyView::~CMyView() {
    if (doc_) doc_->mainPage().setLink(nullptr);
}

void CMyView::OnDocumentLoaded() {
    SetDocument(doc_);
    OnInitialUpdate();
    viewport()->update();
}
