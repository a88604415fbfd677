// The per-user settings store: sections of named integer, text and binary
// values under the company key "Ostrand" and the application "Vexelwork".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class SettingsStore {
public:
    // Opens the store in `fileName`; with an empty name the file named by the
    // environment variable VEXELWORK_SETTINGS, else the per-user location.
    explicit SettingsStore(const std::string& fileName = {});
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const;
    bool WriteProfileInt(std::string_view section, std::string_view key, int value);
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue = {}) const;
    bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value);
    std::vector<uint8_t> GetProfileBinary(std::string_view section, std::string_view key) const;
    bool WriteProfileBinary(std::string_view section, std::string_view key, const std::vector<uint8_t>& value);
    bool Contains(std::string_view section, std::string_view key) const;
    void Remove(std::string_view section, std::string_view key);

    // Writes pending changes and keeps the file readable by its owner only
    // (it may hold a password).
    bool Sync();
    std::string FileName() const;

    // The store the running program uses; tests install their own.
    static SettingsStore& App();
    static void SetApp(std::unique_ptr<SettingsStore> store);

    static constexpr const char* kCompany = "Ostrand";
    static constexpr const char* kApplication = "Vexelwork";

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Library-wide settings that the document model needs.
struct LibrarySettings {
    // Folder of the class-defaults files.
    std::string defaultsDir;
    static LibrarySettings& Get();
};

}  // namespace vx
