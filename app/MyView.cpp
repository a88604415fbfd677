#include "app/MyView.h"

#include "model/HyperOleDoc.h"

CMyView::CMyView(CMyDoc* doc, QWidget* parent) : CHyperView(parent), doc_(doc) {
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
