#include "model/GroupOps.h"

#include <algorithm>

#include "model/Connection.h"
#include "model/HyperOb.h"
#include "model/HyperPage.h"

void CGroupState::Forget(const CHyperOb* ob) {
    lastUngrouped.erase(std::remove(lastUngrouped.begin(), lastUngrouped.end(), ob), lastUngrouped.end());
}

bool CGroupOps::IsSymbolMember(const CHyperOb& ob) {
    const CGroupInfo* g = ob.FindGroupInfo();
    return g && ob.groupId() >= 0 && g->GetSymbol() != 0;
}

bool CGroupOps::CanGroup(const CHyperPage& page, const std::vector<CHyperOb*>& selection) {
    if (!page.editMode || selection.empty()) return false;
    const int first = selection.front()->groupId();
    bool allOneGroup = first >= 0;
    for (const CHyperOb* ob : selection) {
        if (ob->IsConnector() || IsSymbolMember(*ob)) return false;
        if (ob->groupId() != first) allOneGroup = false;
    }
    return !allOneGroup;
}

bool CGroupOps::CanUngroup(const CHyperPage& page, const std::vector<CHyperOb*>& selection) {
    if (!page.editMode || selection.empty()) return false;
    const int first = selection.front()->groupId();
    if (first < 0) return false;
    for (const CHyperOb* ob : selection)
        if (ob->groupId() != first || IsSymbolMember(*ob)) return false;
    return true;
}

bool CGroupOps::CanRegroup(const CHyperPage& page, const CGroupState& state) {
    return page.editMode && !state.lastUngrouped.empty();
}

bool CGroupOps::GroupCommand(CHyperPage& page, std::vector<CHyperOb*>& selection, CGroupState& state, bool ctrlHeld,
                             CGroupJoiner* joiner) {
    if (!ctrlHeld && joiner && joiner->TryJoin(page, selection)) return false;
    return Group(page, selection, state, false) >= 0;
}

int CGroupOps::Group(CHyperPage& page, const std::vector<CHyperOb*>& selection, CGroupState& state,
                     bool keepSnapPoints) {
    state.lastUngrouped.clear();
    if (selection.empty()) return -1;
    // Numbers are never reused while the page lives, and objects that came
    // in with group numbers of their own (pasted, loaded) are not joined by
    // accident.
    const int id = std::max(page.highestGroupId, page.ComputeHighestGroupId()) + 1;
    page.highestGroupId = id;
    CRect running = selection.front()->Rect();
    int hasSnap = 1;
    CGroupInfo* record = nullptr;
    for (size_t i = 0; i < selection.size(); ++i) {
        CHyperOb* ob = selection[i];
        if (hasSnap)
            if (CSnapList* own = ob->GetSnapList(true); own && !own->IsEmpty()) {
                if (!keepSnapPoints || own->HasConnections()) hasSnap = 0;
                else own->set().RemoveAll();
            }
        ob->setGroupInfo(nullptr);
        ob->setGroupId(id);
        if (i == 0) {
            ob->setGroupInfo(state.savedGroup ? std::move(state.savedGroup) : ob->CreateGroupInfo());
            record = ob->groupInfo();
        } else {
            running.UnionRect(running, ob->Rect());
        }
    }
    record->view = &page;
    record->groupId = id;
    record->rect = running;
    record->hasSnapPoints = hasSnap;
    page.InvalidateAll();
    return id;
}

void CGroupOps::DisconnectGroupPoints(CHyperPage& page, CHyperOb& master, CGroupInfo& group) {
    CSnapList* list = group.GetSnapList();
    if (!list || !list->HasConnections()) return;
    // Free every line end that hangs on one of the group's points.
    for (const auto& ob : page.objects()) {
        CConnection* c = ob->GetConnection();
        if (!c) continue;
        for (auto& end : c->ends)
            if (end.IsAttached() && end.target == master.GetCode() && list->set().FindById(end.point)) {
                end.target.clear();
                end.point = -1;
            }
    }
    list->ResetMarks();
}

void CGroupOps::Ungroup(CHyperPage& page, const std::vector<CHyperOb*>& selection, CGroupState& state) {
    state.lastUngrouped.clear();
    state.savedGroup.reset();
    for (CHyperOb* ob : selection) {
        if (CGroupInfo* g = ob->groupInfo()) {
            DisconnectGroupPoints(page, *ob, *g);
            ob->Invalidate(nullptr);
            state.savedGroup = ob->takeGroupInfo();
        }
        ob->setGroupId(-1);
        state.lastUngrouped.push_back(ob);
    }
    page.InvalidateAll();
}

std::vector<CHyperOb*> CGroupOps::Regroup(CHyperPage& page, CGroupState& state) {
    std::vector<CHyperOb*> selection;
    // Only objects still on the page come back.
    for (CHyperOb* ob : state.lastUngrouped)
        if (page.IndexOf(ob) >= 0) selection.push_back(ob);
    state.lastUngrouped.clear();
    Group(page, selection, state, false);
    return selection;
}
