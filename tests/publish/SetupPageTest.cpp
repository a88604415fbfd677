// Publish > Setup...: the proxy page's enabling rules, OK writes all six
// values, Cancel none, the password is typed blind.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "net/ExchangeSettings.h"
#include "platform/Settings.h"
#include "publish/SetupPage1.h"
#include "support/TestSupport.h"

namespace {

class SetupPage : public ::testing::Test {
protected:
    void SetUp() override {
        vx::SettingsStore::SetApp(std::make_unique<vx::SettingsStore>(vxtest::TempDir() + "/s.conf"));
    }
    void TearDown() override { vx::SettingsStore::SetApp(nullptr); }

    template <class W>
    static W* Find(CSetupPage1* page, const char* name) {
        W* w = page->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

}  // namespace

TEST_F(SetupPage, FreshInstallationShowsNothingAndEnablesByTheSwitches) {
    CPublishSetup sheet;
    auto* page = new CSetupPage1(&sheet);
    sheet.AddPage(page);
    sheet.show();
    EXPECT_EQ(sheet.windowTitle(), "Publish");
    auto* proxy = Find<QCheckBox>(page, "useProxy");
    auto* auth = Find<QCheckBox>(page, "useAuthorization");
    EXPECT_FALSE(proxy->isChecked());
    EXPECT_FALSE(auth->isChecked());
    for (const char* name : {"address", "port", "userName", "password"}) {
        EXPECT_TRUE(Find<QLineEdit>(page, name)->text().isEmpty()) << name;
        EXPECT_FALSE(Find<QLineEdit>(page, name)->isEnabled()) << name;
    }
    EXPECT_FALSE(auth->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>(page, "http")->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>(page, "socks")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(page, "password")->echoMode(), QLineEdit::Password);

    QTest::mouseClick(proxy, Qt::LeftButton);
    EXPECT_TRUE(Find<QLineEdit>(page, "address")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>(page, "socks")->isEnabled());
    EXPECT_TRUE(auth->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(page, "userName")->isEnabled());
    QTest::mouseClick(auth, Qt::LeftButton);
    EXPECT_TRUE(Find<QLineEdit>(page, "userName")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(page, "password")->isEnabled());
    // Clearing the proxy switch disables the credentials; authorization
    // stays ticked and is stored so.
    QTest::mouseClick(proxy, Qt::LeftButton);
    EXPECT_FALSE(Find<QLineEdit>(page, "userName")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(page, "password")->isEnabled());
    sheet.accept();
    const auto stored = vx::net::ReadProxySettings(vx::SettingsStore::App());
    EXPECT_EQ(stored.useProxy, 0);
    EXPECT_EQ(stored.useAuthorization, 1);
}

TEST_F(SetupPage, OkWritesAllSixAndCancelNone) {
    {
        CPublishSetup sheet;
        auto* page = new CSetupPage1(&sheet);
        sheet.AddPage(page);
        sheet.show();
        QTest::mouseClick(Find<QCheckBox>(page, "useProxy"), Qt::LeftButton);
        QTest::mouseClick(Find<QCheckBox>(page, "useAuthorization"), Qt::LeftButton);
        QTest::keyClicks(Find<QLineEdit>(page, "address"), "proxy.example");
        QTest::keyClicks(Find<QLineEdit>(page, "port"), "3128");
        QTest::keyClicks(Find<QLineEdit>(page, "userName"), "pat");
        QTest::keyClicks(Find<QLineEdit>(page, "password"), "p&ss w0rd");
        sheet.accept();
    }
    auto stored = vx::net::ReadProxySettings(vx::SettingsStore::App());
    EXPECT_EQ(stored.useProxy, 1);
    EXPECT_EQ(stored.address, "proxy.example");
    EXPECT_EQ(stored.port, "3128");
    EXPECT_EQ(stored.useAuthorization, 1);
    EXPECT_EQ(stored.userName, "pat");
    EXPECT_EQ(stored.password, "p&ss w0rd");
    {
        // The page opens with what is stored; Cancel keeps it.
        CPublishSetup sheet;
        auto* page = new CSetupPage1(&sheet);
        sheet.AddPage(page);
        sheet.show();
        EXPECT_EQ(Find<QLineEdit>(page, "address")->text(), "proxy.example");
        EXPECT_TRUE(Find<QLineEdit>(page, "password")->isEnabled());
        Find<QLineEdit>(page, "address")->setText("other");
        QTest::mouseClick(Find<QCheckBox>(page, "useProxy"), Qt::LeftButton);
        sheet.reject();
    }
    stored = vx::net::ReadProxySettings(vx::SettingsStore::App());
    EXPECT_EQ(stored.useProxy, 1);
    EXPECT_EQ(stored.address, "proxy.example");
}
