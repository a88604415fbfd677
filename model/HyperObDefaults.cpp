// Class-defaults files: an object stored as the template for new objects of
// its class.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/Archive.h"
#include "model/GroupInfo.h"
#include "model/HyperOb.h"
#include "platform/SafeSave.h"
#include "platform/Settings.h"

namespace fs = std::filesystem;

std::string CHyperOb::GetDefaultsFileName() const {
    std::string name = ClassName();
    const int len = int(name.size());
    // Trailing characters that are not capitals, at most three, and only
    // while more than three characters stand before them.
    int k = 0;
    while (k < 3 && len - k - 1 > 3 && !std::isupper(static_cast<unsigned char>(name[size_t(len - 1 - k)]))) ++k;
    if (!name.empty() && name.front() == 'C') name.erase(0, 1);
    if (k != 0 && k != 3) {
        ++k;
        const int n = int(name.size());
        const int head = std::max(0, std::min(n - k - 1, 8));
        name = name.substr(0, size_t(head)) + "." + name.substr(size_t(std::max(0, n - k)));
    }
    return name;
}

int CHyperOb::PersistToFile(int mode) {
    const std::string& dir = vx::LibrarySettings::Get().defaultsDir;
    const fs::path path = fs::path(dir) / GetDefaultsFileName();
    std::error_code ec;
    switch (mode) {
        case kDefaultsExists: return fs::exists(path, ec) ? 1 : 0;
        case kDefaultsDelete: return fs::remove(path, ec) ? 1 : 0;
        case kDefaultsWrite: {
            try {
                CArchive ar;
                Serialize(ar);
                fs::create_directories(path.parent_path(), ec);
                return vx::SaveFileSafely(path.string(), ar.Buffer()).empty() ? 1 : 0;
            } catch (const CArchiveException&) {
                return 0;
            }
        }
        case kDefaultsRead: {
            std::ifstream in(path, std::ios::binary);
            if (!in) return 0;
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            // Read into a copy so that a damaged file changes nothing.
            std::unique_ptr<CHyperOb> tmp = Clone();
            if (!tmp) return 0;
            try {
                CArchive ar(bytes);
                tmp->Serialize(ar);
            } catch (const CArchiveException&) {
                return 0;
            }
            // The template's identity (code, group, layer) is not a default:
            // a new object keeps its own.
            const std::string code = code_;
            const int groupId = groupId_;
            const int layerId = layerId_;
            auto group = std::move(groupInfo_);
            CopyFrom(*tmp);
            SetCodeRaw(code);
            groupId_ = groupId;
            layerId_ = layerId;
            groupInfo_ = std::move(group);
            return 1;
        }
        default: return 0;
    }
}

void CHyperOb::SaveAsDefaults() {
    const CRect r = Rect();
    Move(-r.left, -r.top);
    PersistToFile(kDefaultsWrite);
    Move(r.left, r.top);
}
