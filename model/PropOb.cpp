#include "model/PropOb.h"

#include "platform/StringTable.h"

VX_IMPLEMENT_ABSTRACT(CPropOb, CObject)

std::string CPropOb::GetName() const {
    if (!customName.empty()) return customName;
    if (nameId == kNoName1 || nameId == kNoName2) return {};
    return std::string(vx::LoadString(nameId));
}

void CPropOb::SetDialogTitle(std::string& caption) const {
    if (dialogTitle != -1) caption = std::string(vx::LoadString(dialogTitle));
}

void CPropOb::RedrawRow(CPropOb* item) const {
    if (owner && item) owner->RedrawItem(item);
}

CPropOb* CPropList::Add(std::unique_ptr<CPropOb> item) {
    if (!item) return nullptr;
    item->owner = this;
    items_.push_back(std::move(item));
    return items_.back().get();
}

CPropOb* CPropList::Find(int nameId) const {
    for (const auto& item : items_)
        if (item->nameId == nameId) return item.get();
    return nullptr;
}

bool CPropList::Remove(int nameId) {
    for (auto it = items_.begin(); it != items_.end(); ++it)
        if ((*it)->nameId == nameId) {
            items_.erase(it);
            return true;
        }
    return false;
}
