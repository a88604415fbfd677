// The design view of a document window. Until the page view arrives it
// shows the page's objects as outlines.
#pragma once

#include <QWidget>

#include "app/CmdTarget.h"
#include "model/ViewLink.h"

class CMyDoc;

class CMyView : public QWidget, public CCmdTarget, public CViewLink {
    Q_OBJECT
public:
    CMyView(CMyDoc* doc, QWidget* parent);
    ~CMyView() override;

    CMyDoc* GetDocument() const { return doc_; }
    // Shows the document's (new) page contents.
    void OnDocumentLoaded();

    // CViewLink
    void InvalidatePageRect(const CRect&) override { update(); }
    void InvalidateAll() override { update(); }
    bool HasWindow() const override { return true; }
    void ReportPosition(const CRect& r) override;
    void RequestOpen(const std::string& path) override;

signals:
    void positionReported(int left, int top, int width, int height);
    void openRequested(const QString& path);

protected:
    void paintEvent(QPaintEvent*) override;
    QSize sizeHint() const override { return {640, 480}; }

private:
    CMyDoc* doc_;
};
