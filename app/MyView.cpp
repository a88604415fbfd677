#include "app/MyView.h"

#include <QApplication>

#include "command/CommandIds.h"
#include "dialogs/DefinitionDlg.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "shapes/PolyLineOb.h"
#include "uml/ClassOb.h"
#include "uml/UmlClasses.h"

CMyView::CMyView(CMyDoc* doc, QWidget* parent) : CFreeHandView(parent), doc_(doc) {
    using namespace vx::cmd;
    for (const auto& [id, kind] : {std::pair{kClassAttributes, int(CClassOb::kAttributes)},
                                   std::pair{kClassOperations, int(CClassOb::kOperations)}}) {
        commands_.On(id, [this, kind = kind] { EditClassDefinition(kind); },
                     [this](CCmdUI& ui) { ui.Enable(SelectedClass() != nullptr); });
    }
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

void CMyView::RegisterTools() {
    CFreeHandView::RegisterTools();
    size_t count = 0;
    const vx::uml::ElementTool* tools = vx::uml::ElementTools(count);
    for (size_t i = 0; i < count; ++i) RegisterTool(tools[i].id, tools[i].objectClass);
}

std::unique_ptr<CHyperOb> CMyView::CombineSelection(const std::vector<CHyperOb*>& selection) {
    if (!selection.empty() && !CPolyLineOb::ChainLines(selection)) return nullptr;
    return std::make_unique<CPolyLineOb>();
}

CClassOb* CMyView::SelectedClass() const {
    CHyperPage* p = page();
    if (!p) return nullptr;
    CClassOb* found = nullptr;
    for (const auto& ob : p->objects()) {
        const CObTracker* t = ob->GetTracker();
        if (!t || !t->IsSelected()) continue;
        auto* c = DynamicDowncast<CClassOb>(ob.get());
        if (!c) continue;
        constexpr int kOtherBit = CObTracker::kSelectedOther & ~CObTracker::kSelectedDominant;
        if ((t->style & kOtherBit) == 0) return c;  // the dominant one
        if (!found) found = c;
    }
    return found;
}

bool CMyView::EditClassDefinition(int kind) {
    CClassOb* ob = SelectedClass();
    CClassDefinition* definition = ob ? ob->Definition(kind) : nullptr;
    if (!definition) return false;
    std::string text = definition->text;
    CDefinitionDlg dialog(text, kind, this);
    if (dialog.exec() != QDialog::Accepted || text == definition->text) return false;
    definition->text = text;
    ob->Update(1, 0);
    if (doc_) doc_->SetModifiedFlag(true);
    return true;
}

void InstallClassDefinitionDialog() {
    CPropClass::editor() = [](std::string& text, int kind) {
        CDefinitionDlg dialog(text, kind, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
}
