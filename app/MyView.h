// The design view of a document window: the edit view of the page with
// the application's commands (none of its own yet).
#pragma once

#include "view/HyperView.h"

class CMyDoc;

class CMyView : public CHyperView {
    Q_OBJECT
public:
    CMyView(CMyDoc* doc, QWidget* parent);
    ~CMyView() override;

    CMyDoc* GetDocument() const { return doc_; }
    // Shows the document's (new) page contents.
    void OnDocumentLoaded();

private:
    CMyDoc* doc_;
};
