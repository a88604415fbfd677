// Joining objects into one: the hook the design view fills, and the
// replacement of the merged objects that the Group command and the
// multi-part tools use.
#include "command/CommandIds.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "view/HyperView.h"

std::unique_ptr<CHyperOb> CHyperView::CombineSelection(const std::vector<CHyperOb*>& selection) {
    if (!selection.empty()) return nullptr;
    return CreateObjectForTool(vx::tool::kFreehand);
}

CHyperOb* CHyperView::ReplaceByCombined(const std::vector<CHyperOb*>& objects) {
    if (!page() || objects.empty()) return nullptr;
    for (const CHyperOb* ob : objects)
        if (!ob || page()->IndexOf(ob) < 0 || !CanDeleteObject(*ob)) return nullptr;
    std::unique_ptr<CHyperOb> made = CombineSelection(objects);
    if (!made) return nullptr;
    made->AttachToView(page(), nullptr, true);
    made->OnPointsReplaced(objects);
    // AddObject would drop an object this small: keep the objects then.
    const CRect n = made->Rect().Normalized();
    if (n.Width() <= 1 && n.Height() <= 1) return nullptr;
    CEditScope scope(*this, EditKind::kDelete);
    scope.Changed();
    BeginSelectionBatch();
    DeselectAll(false);
    for (const CHyperOb* ob : objects) DeleteObjectAt(page()->IndexOf(ob));
    // Where the objects were: not moved into the usable area.
    CHyperOb* added = AddObject(std::move(made), true, true);
    SelectionChanged();
    EndSelectionBatch();
    return added;
}

bool CHyperView::CCombineJoiner::TryJoin(CHyperPage& page, std::vector<CHyperOb*>& selection) {
    if (view_.page() != &page) return false;
    CHyperOb* joined = view_.ReplaceByCombined(selection);
    if (!joined) return false;
    selection = {joined};
    return true;
}
