// The record that describes a group as a whole: its code name, bounding
// rectangle, symbol flag, permissions and the group's own snap points. One
// member of the group holds it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/HyperBaseOb.h"
#include "model/SnapList.h"

class CHyperOb;
class CPropList;

class CGroupInfo : public CHyperVBPSOb {
    VX_DECLARE_CLASS(CGroupInfo)
public:
    CGroupInfo();
    ~CGroupInfo() override;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    CHyperPage* view = nullptr;
    int32_t groupId = -1;
    CRect rect;
    std::string code;
    int32_t symbol = 0;
    int32_t hasSnapPoints = 1;
    CSnapList snapList;
    bool dfltIsLocked = false;
    bool dfltCanDelete = true;
    bool dfltCanResize = true;
    bool dfltCanInlineEditText = true;

    virtual void CopyFrom(const CGroupInfo& other);
    // "(GroupCode)", "Symbol" and, when the group has a snap-point list,
    // "AnchorSnaps".
    virtual void AddProperties(CPropList& list, bool withChoices);
    // Update (recalc, 0) of every member, from the last to the first.
    virtual void UpdateMembers(const std::vector<CHyperOb*>& members, int recalc);
    virtual CRect GetRect() const { return rect; }
    virtual int GetSymbol() const { return symbol; }
    virtual CSnapList* GetSnapList() { return hasSnapPoints != 0 ? &snapList : nullptr; }
    virtual CAnchorFmt* GetSnapSet() { return hasSnapPoints != 0 ? &snapList.set() : nullptr; }
    virtual bool IsLocked() const { return dfltIsLocked; }
    bool IsUnlocked() const { return !IsLocked(); }
    virtual bool CanDelete() const { return dfltCanDelete; }
    virtual bool CanResize() const { return dfltCanResize; }
    virtual bool CanInlineEditText() const { return dfltCanInlineEditText; }

    // The members: every object of the view with this group id, in list
    // order (found anew on every call).
    std::vector<CHyperOb*> Members() const;

    // The group record of the common object record.
    void Serialize(CArchive& ar) override;
    std::unique_ptr<CGroupInfo> Clone() const;
};
