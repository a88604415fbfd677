#include "app/RecentFileList.h"

#include <algorithm>

#include "platform/Settings.h"

namespace {

std::string Key(int i) { return "File" + std::to_string(i + 1); }

}  // namespace

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    files_.insert(files_.begin(), path);
    if (int(files_.size()) > size_) files_.resize(size_t(size_));
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < int(files_.size())) files_.erase(files_.begin() + index);
}

void CRecentFileList::ReadList(const vx::SettingsStore& store) {
    files_.clear();
    for (int i = 0; i < size_; ++i) {
        std::string f = store.GetProfileString(kSection, Key(i));
        if (!f.empty() && std::find(files_.begin(), files_.end(), f) == files_.end()) files_.push_back(std::move(f));
    }
}

void CRecentFileList::WriteList(vx::SettingsStore& store) const {
    for (int i = 0; i < size_; ++i) {
        if (i < int(files_.size()))
            store.WriteProfileString(kSection, Key(i), files_[size_t(i)]);
        else
            store.Remove(kSection, Key(i));
    }
}
