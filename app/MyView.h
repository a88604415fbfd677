// The design view of a document window: the edit view of the page with
// the application's design elements and commands.
#pragma once

#include "command/CommandIds.h"
#include "view/FreeHandView.h"

class CClassOb;
class CMyDoc;

class CMyView : public CFreeHandView {
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

    // A new polyline for an empty list or a chain of lines (joined by the
    // Group command and the "Polyline" tool), nothing otherwise.
    std::unique_ptr<CHyperOb> CombineSelection(const std::vector<CHyperOb*>& selection) override;
    // The "Polyline" tool draws its lines one after another.
    bool IsMultiPartTool(int toolId) const override { return toolId == vx::tool::kPolyline; }

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
