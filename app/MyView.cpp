#include "app/MyView.h"

#include <QPainter>

#include "model/HyperOleDoc.h"
#include "model/HyperViewOb.h"
#include "platform/QtConv.h"

CMyView::CMyView(CMyDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    OnDocumentLoaded();
}

CMyView::~CMyView() {
    if (doc_) doc_->mainPage().setLink(nullptr);
}

void CMyView::OnDocumentLoaded() {
    doc_->mainPage().setLink(this);
    update();
}

void CMyView::ReportPosition(const CRect& r) { emit positionReported(r.left, r.top, r.Width(), r.Height()); }

void CMyView::RequestOpen(const std::string& path) { emit openRequested(vx::ToQString(path)); }

void CMyView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const CHyperPage& page = doc_->mainPage();
    p.setPen(Qt::black);
    for (size_t i = page.Count(); i-- > 0;) {
        CHyperOb* ob = page.At(i);
        if (!ob->IsVisible()) continue;
        p.drawRect(vx::ToQRect(ob->Rect()).adjusted(0, 0, -1, -1));
        p.drawText(vx::ToQRect(ob->Rect()), Qt::AlignCenter, vx::ToQString(ob->GetCode()));
    }
}
