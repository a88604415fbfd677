// Helpers shared by the tests: byte builders for hand-made archives and
// temporary folders.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CHyperOleDoc;

namespace vxtest {

void InitTestEnvironment();

// A byte string built field by field, little-endian.
class Bytes {
public:
    Bytes& b(uint8_t v) { d.push_back(v); return *this; }
    Bytes& w(uint16_t v) { b(uint8_t(v)); return b(uint8_t(v >> 8)); }
    Bytes& dw(uint32_t v) { w(uint16_t(v)); return w(uint16_t(v >> 16)); }
    Bytes& dbl(double v);
    // A short 8-bit string with its length byte.
    Bytes& s(std::string_view text);
    Bytes& tag(int version) { return dw(0xBACDCD00u | uint32_t(version)); }
    Bytes& raw(const std::vector<uint8_t>& v) { d.insert(d.end(), v.begin(), v.end()); return *this; }
    std::vector<uint8_t> d;
};

// A fresh empty folder below the system's temporary folder.
std::string TempDir();

// The whole contents of a file; empty when it cannot be read.
std::vector<uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, std::string_view text);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

// Saves and reloads `doc`, returning the bytes of the first save.
std::vector<uint8_t> SaveBytes(CHyperOleDoc& doc);

}  // namespace vxtest
