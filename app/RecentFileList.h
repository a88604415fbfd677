// The recent-file list of the File menu: at most four paths, newest first,
// kept in the settings section "Recent File List" as "File1" to "File4".
#pragma once

#include <string>
#include <vector>

namespace vx {
class SettingsStore;
}

class CRecentFileList {
public:
    static constexpr const char* kSection = "Recent File List";

    explicit CRecentFileList(int size = 4) : size_(size) {}

    // Moves `path` to the front (adding it when new); the oldest falls off.
    void Add(const std::string& path);
    void Remove(int index);
    const std::vector<std::string>& Files() const { return files_; }
    int Size() const { return size_; }

    void ReadList(const vx::SettingsStore& store);
    void WriteList(vx::SettingsStore& store) const;

private:
    int size_;
    std::vector<std::string> files_;
};
