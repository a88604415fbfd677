// Group, Ungroup and Regroup on a page and a given selection, and the rules
// that enable the three commands. The edit view owns the selection, opens
// the undo step around each command and keeps a CGroupState per page.
#pragma once

#include <memory>
#include <vector>

#include "model/GroupInfo.h"

class CHyperOb;
class CHyperPage;

// What the page view keeps between an Ungroup and a Regroup.
struct CGroupState {
    // The objects the last Ungroup took apart, in selection order (the page
    // owns them).
    std::vector<CHyperOb*> lastUngrouped;
    // The group record the last Ungroup took from the master.
    std::unique_ptr<CGroupInfo> savedGroup;

    // An object leaves the page: it can no longer be regrouped.
    void Forget(const CHyperOb* ob);
};

// Joins a selection into one new object instead of grouping it (lines that
// form one chain become one polyline). The polyline classes provide it.
class CGroupJoiner {
public:
    virtual ~CGroupJoiner() = default;
    // True when the selection was replaced by one new object on the page;
    // `selection` then holds that object.
    virtual bool TryJoin(CHyperPage& page, std::vector<CHyperOb*>& selection) = 0;
};

class CGroupOps {
public:
    // "Group": a selection without connectors, not all of one group, with no
    // member of a Symbol group.
    static bool CanGroup(const CHyperPage& page, const std::vector<CHyperOb*>& selection);
    // "Ungroup": all of one group, which is not a Symbol group.
    static bool CanUngroup(const CHyperPage& page, const std::vector<CHyperOb*>& selection);
    // "Regroup": something was ungrouped.
    static bool CanRegroup(const CHyperPage& page, const CGroupState& state);

    // The Group command: unless `ctrlHeld`, `joiner` may first join the
    // selection into one object, in which case no group is made. Returns
    // true when a group was made.
    static bool GroupCommand(CHyperPage& page, std::vector<CHyperOb*>& selection, CGroupState& state,
                             bool ctrlHeld, CGroupJoiner* joiner);
    // Gives every selected object one new GroupID; the first becomes the
    // master and holds the group record (the one saved by the last Ungroup
    // when there is one). Returns the new group id, -1 for no selection.
    static int Group(CHyperPage& page, const std::vector<CHyperOb*>& selection, CGroupState& state,
                     bool keepSnapPoints);
    // Takes the selected objects out of their group; the master's record is
    // kept in `state` for Regroup.
    static void Ungroup(CHyperPage& page, const std::vector<CHyperOb*>& selection, CGroupState& state);
    // Groups the objects of the last Ungroup again, reusing its record.
    // Returns them: they become the selection, the first one dominant.
    static std::vector<CHyperOb*> Regroup(CHyperPage& page, CGroupState& state);

private:
    static bool IsSymbolMember(const CHyperOb& ob);
    static void DisconnectGroupPoints(CHyperPage& page, CHyperOb& master, CGroupInfo& group);
};
