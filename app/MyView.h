// The design view of a document window: the edit view of the page with
// the application's commands (zoom so far).
#pragma once

#include "app/CmdTarget.h"
#include "view/HyperView.h"

class CMyDoc;

class CMyView : public CHyperView, public CCmdTarget {
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
