#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <memory>
#include <vector>

#include "model/HyperOleDoc.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"

namespace vxtest {

Bytes& Bytes::dbl(double v) {
    uint8_t buf[8];
    std::memcpy(buf, &v, 8);
    for (uint8_t c : buf) b(c);
    return *this;
}

Bytes& Bytes::s(std::string_view text) {
    b(uint8_t(text.size()));
    for (char c : text) b(uint8_t(c));
    return *this;
}

std::string TempDir() {
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return vx::FromQString(dirs.back()->path());
}

void InitTestEnvironment() {
    RegisterModelClasses();
    vx::LibrarySettings::Get().defaultsDir = TempDir() + "/defaults";
}

std::vector<uint8_t> SaveBytes(CHyperOleDoc& doc) { return doc.SaveToBytes(); }

}  // namespace vxtest
