#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

#include "platform/QtConv.h"

namespace vx {

struct SettingsStore::Impl {
    std::unique_ptr<QSettings> s;
};

namespace {

QString Key(std::string_view section, std::string_view key) {
    return ToQString(section) + QLatin1Char('/') + ToQString(key);
}

std::string DefaultFileName() {
    if (const char* env = std::getenv("VEXELWORK_SETTINGS"); env && *env) return env;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return FromQString(base + QStringLiteral("/%1/%2.conf").arg(SettingsStore::kCompany, SettingsStore::kApplication));
}

std::unique_ptr<SettingsStore>& AppStore() {
    static std::unique_ptr<SettingsStore> store;
    return store;
}

}  // namespace

SettingsStore::SettingsStore(const std::string& fileName) : d_(std::make_unique<Impl>()) {
    const std::string name = fileName.empty() ? DefaultFileName() : fileName;
    QDir().mkpath(QFileInfo(ToQString(name)).absolutePath());
    d_->s = std::make_unique<QSettings>(ToQString(name), QSettings::IniFormat);
}

SettingsStore::~SettingsStore() { Sync(); }

int SettingsStore::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const {
    bool ok = false;
    const int v = d_->s->value(Key(section, key)).toInt(&ok);
    return ok ? v : defaultValue;
}

bool SettingsStore::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    d_->s->setValue(Key(section, key), value);
    return true;
}

std::string SettingsStore::GetProfileString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue) const {
    const QVariant v = d_->s->value(Key(section, key));
    return v.isValid() ? FromQString(v.toString()) : std::string(defaultValue);
}

bool SettingsStore::WriteProfileString(std::string_view section, std::string_view key, std::string_view value) {
    d_->s->setValue(Key(section, key), ToQString(value));
    return true;
}

std::vector<uint8_t> SettingsStore::GetProfileBinary(std::string_view section, std::string_view key) const {
    const QByteArray b = d_->s->value(Key(section, key)).toByteArray();
    return std::vector<uint8_t>(b.begin(), b.end());
}

bool SettingsStore::WriteProfileBinary(std::string_view section, std::string_view key,
                                       const std::vector<uint8_t>& value) {
    d_->s->setValue(Key(section, key),
                    QByteArray(reinterpret_cast<const char*>(value.data()), qsizetype(value.size())));
    return true;
}

bool SettingsStore::Contains(std::string_view section, std::string_view key) const {
    return d_->s->contains(Key(section, key));
}

void SettingsStore::Remove(std::string_view section, std::string_view key) { d_->s->remove(Key(section, key)); }

bool SettingsStore::Sync() {
    // A new file starts private, so it is never readable by others even
    // for the moment before the permissions below are set.
    const QByteArray name = QFile::encodeName(d_->s->fileName());
    if (const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); fd >= 0) ::close(fd);
    d_->s->sync();
    QFile f(d_->s->fileName());
    if (f.exists()) f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return d_->s->status() == QSettings::NoError;
}

std::string SettingsStore::FileName() const { return FromQString(d_->s->fileName()); }

SettingsStore& SettingsStore::App() {
    auto& s = AppStore();
    if (!s) s = std::make_unique<SettingsStore>();
    return *s;
}

void SettingsStore::SetApp(std::unique_ptr<SettingsStore> store) { AppStore() = std::move(store); }

LibrarySettings& LibrarySettings::Get() {
    static LibrarySettings settings = [] {
        LibrarySettings l;
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        l.defaultsDir = FromQString(base + QStringLiteral("/%1/%2/defaults").arg(SettingsStore::kCompany,
                                                                                  SettingsStore::kApplication));
        return l;
    }();
    return settings;
}

}  // namespace vx
