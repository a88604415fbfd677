#include "model/Object.h"

#include <stdexcept>

const CClassInfo CObject::classInfo = {"CObject", 0, nullptr, nullptr};

CClassRegistry& CClassRegistry::Instance() {
    static CClassRegistry registry;
    return registry;
}

void CClassRegistry::Register(const CClassInfo& info) {
    for (int i = 0; i < count_; ++i)
        if (entries_[i].name == info.name) {
            entries_[i].info = &info;
            return;
        }
    if (count_ == int(std::size(entries_))) throw std::logic_error("class registry is full");
    entries_[count_++] = {info.name, &info};
}

const CClassInfo* CClassRegistry::Find(std::string_view name) const {
    for (int i = 0; i < count_; ++i)
        if (entries_[i].name == name) return entries_[i].info;
    return nullptr;
}

std::unique_ptr<CObject> CClassRegistry::Create(std::string_view name) const {
    const CClassInfo* info = Find(name);
    return (info && info->create) ? info->create() : nullptr;
}

std::vector<const CClassInfo*> CClassRegistry::All() const {
    std::vector<const CClassInfo*> all;
    for (int i = 0; i < count_; ++i) all.push_back(entries_[i].info);
    return all;
}
