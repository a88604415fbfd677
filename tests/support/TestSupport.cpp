#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <iterator>
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
    // Tests never read or write the user's settings, and test processes
    // running side by side never share a settings file.
    if (qEnvironmentVariableIsEmpty("VEXELWORK_SETTINGS"))
        qputenv("VEXELWORK_SETTINGS", QByteArray::fromStdString(TempDir() + "/settings.conf"));
    vx::LibrarySettings::Get().defaultsDir = TempDir() + "/defaults";
}

std::vector<uint8_t> SaveBytes(CHyperOleDoc& doc) { return doc.SaveToBytes(); }

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteText(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), std::streamsize(text.size()));
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteText(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const QString& n : QDir(vx::ToQString(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                                 QDir::NoDotAndDotDot))
        names.push_back(vx::FromQString(n));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vxtest
