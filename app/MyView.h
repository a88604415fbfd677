// The design view of a document window: the edit view of the page with
// the application's design elements and commands.
#pragma once

#include "view/HyperView.h"

class CClassOb;
class CMyDoc;

class CMyView : public CHyperView {
    Q_OBJECT
public:
    CMyView(CMyDoc* doc, QWidget* parent);
    ~CMyView() override;

    CMyDoc* GetDocument() const { return doc_; }
    // Shows the document's (new) page contents.
    void OnDocumentLoaded();

    // The library's tools, then the design elements under their type-name
    // ids.
    void RegisterTools() override;

    // The one selected class box (the dominant one of several), or null.
    CClassOb* SelectedClass() const;
    // Opens the Definition dialog on the selected class box's attributes
    // (kind 1) or operations (kind 2); true when they were changed.
    bool EditClassDefinition(int kind);

private:
    CMyDoc* doc_;
};

// Makes the class boxes' definition items open the Definition dialog.
void InstallClassDefinitionDialog();
