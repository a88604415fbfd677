#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/QtConv.h"
#include "platform/Settings.h"

TEST(Settings, ValuesPersistInARedirectedFileReadableByOwnerOnly) {
    QTemporaryDir dir;
    const std::string file = vx::FromQString(dir.path()) + "/Ostrand/Vexelwork.conf";
    {
        vx::SettingsStore s(file);
        EXPECT_EQ(s.GetProfileInt("Settings", "AutoSave", 0), 0);
        s.WriteProfileInt("Settings", "AutoSave", 30);
        s.WriteProfileString("Settings", "WorkingDir", "/home/u/designs");
        s.WriteProfileBinary("Settings", "CBAR.SR1", {1, 2, 0, 255});
        EXPECT_TRUE(s.Sync());
    }
    vx::SettingsStore s(file);
    EXPECT_EQ(s.GetProfileInt("Settings", "AutoSave", 0), 30);
    EXPECT_EQ(s.GetProfileString("Settings", "WorkingDir"), "/home/u/designs");
    EXPECT_EQ(s.GetProfileBinary("Settings", "CBAR.SR1"), (std::vector<uint8_t>{1, 2, 0, 255}));
    EXPECT_EQ(s.GetProfileString("Settings", "Missing", "dflt"), "dflt");
    const auto perms = QFile::permissions(vx::ToQString(file));
    EXPECT_TRUE(perms & QFileDevice::ReadOwner);
    EXPECT_FALSE(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

// A test process keeps its settings in a private temporary file, never in
// the user's own settings and never in a file another test process uses.
TEST(Settings, TestsUseAPrivateSettingsFile) {
    const std::string file = vx::SettingsStore().FileName();
    EXPECT_NE(file.find(vx::FromQString(QDir::tempPath())), std::string::npos) << file;
    EXPECT_EQ(file.find(".config"), std::string::npos) << file;
}
