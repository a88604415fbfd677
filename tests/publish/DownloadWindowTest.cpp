// "Design Download" offscreen against a local forum: the start page is
// asked for with the post data and header, a followed link to a design
// downloads it and opens it, and the browser follows the window's size.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "model/HyperOleDoc.h"
#include "net/ExchangeSettings.h"
#include "platform/Settings.h"
#include "publish/DownloadDlg.h"
#include "support/NetServers.h"
#include "support/TestSupport.h"

namespace {

class DownloadWindow : public ::testing::Test {
protected:
    void SetUp() override {
        vx::SettingsStore::SetApp(std::make_unique<vx::SettingsStore>(vxtest::TempDir() + "/s.conf"));
        site_ = vxtest::TempDir();
        vxtest::WriteText(site_ + "/home.asp",
                          "<html><body><h1>Forum</h1>"
                          "<a id='design' href='/files/Shared%20shop.vxw'>Shared shop</a>"
                          "<a id='other' href='/files/icons.zip'>Icons</a></body></html>");
        QDir().mkpath(QString::fromStdString(site_ + "/files"));
        vxtest::WriteDesign(site_ + "/files/Shared shop.vxw", "Shared shop", "From the forum");
        vxtest::WriteText(site_ + "/files/icons.zip", "PK not really a zip");
    }
    void TearDown() override {
        vx::SettingsStore::SetApp(nullptr);
        CDownloadDlg::askSavePathHook() = nullptr;
    }
    std::string site_;
};

}  // namespace

TEST_F(DownloadWindow, FollowsALinkDownloadsTheDesignAndOpensIt) {
    vxtest::FormServer web(404, site_);
    ASSERT_TRUE(web.ok()) << web.error();
    vx::net::ExchangeSettings e = vx::net::ReadExchangeSettings(vx::SettingsStore::App());
    e.webAddress = web.url();
    vx::net::WriteExchangeSettings(vx::SettingsStore::App(), e);

    std::vector<std::string> opened;
    const std::string folder = vxtest::TempDir();
    CDownloadDlg dlg([&](const QString& path) {
        CMyDoc doc;
        if (doc.LoadFromFile(path.toStdString()).status == LoadResult::kOk) opened.push_back(doc.title());
    });
    dlg.SetDownloadFolder(QString::fromStdString(folder));
    EXPECT_EQ(dlg.windowTitle(), "Design Download");
    QSignalSpy loaded(dlg.browser(), &QWebEngineView::loadFinished);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loaded.isEmpty(); }, 60000));
    EXPECT_TRUE(loaded.front().at(0).toBool());

    // The start page: posted, with the forum page as its href.
    auto records = web.Records();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0]["method"].toString(), "POST");
    EXPECT_EQ(records[0]["path"].toString(), "/home.asp");
    EXPECT_EQ(records[0]["body"].toString(), "CAT_ID=3");
    EXPECT_EQ(records[0]["content_type"].toString(), "application/x-www-form-urlencoded");
    EXPECT_EQ(records[0]["query"].toString(), "href=" + QString::fromStdString(web.url()) + "/forum/default.asp?CAT_ID=3");

    // Following the link downloads the design and opens it.
    QSignalSpy finished(&dlg, &CDownloadDlg::downloadFinished);
    dlg.browser()->page()->runJavaScript(QStringLiteral("document.getElementById('design').click();"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, 60000));
    EXPECT_TRUE(finished.front().at(1).toBool());
    EXPECT_EQ(finished.front().at(0).toString().toStdString(), folder + "/Shared shop.vxw");
    EXPECT_EQ(vxtest::ReadAll(folder + "/Shared shop.vxw"), vxtest::ReadAll(site_ + "/files/Shared shop.vxw"));
    EXPECT_EQ(opened, std::vector<std::string>{"Shared shop"});

    // Another file goes where the user says and is not opened.
    const std::string elsewhere = vxtest::TempDir() + "/mine.zip";
    QString proposed;
    CDownloadDlg::askSavePathHook() = [&](QWidget*, const QString& suggested) {
        proposed = suggested;
        return QString::fromStdString(elsewhere);
    };
    finished.clear();
    dlg.browser()->page()->runJavaScript(QStringLiteral("document.getElementById('other').click();"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, 60000));
    EXPECT_EQ(proposed.toStdString(), folder + "/icons.zip");
    EXPECT_EQ(finished.front().at(0).toString().toStdString(), elsewhere);
    EXPECT_EQ(vxtest::ReadAll(elsewhere), vxtest::ReadAll(site_ + "/files/icons.zip"));
    EXPECT_EQ(opened.size(), 1u);

    // The browser fills the window at every size.
    dlg.resize(900, 700);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.browser()->size() == dlg.size(); }));
    dlg.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.browser()->size() == dlg.size(); }));
}

TEST_F(DownloadWindow, ForumIsReachedThroughTheProxyWithItsCredentials) {
    vxtest::HttpProxy proxy("pat", "s3cret");
    ASSERT_TRUE(proxy.ok()) << proxy.error();
    vx::net::ExchangeSettings e = vx::net::ReadExchangeSettings(vx::SettingsStore::App());
    // A name only the proxy could look up (the browser never sends a
    // loopback address to a proxy).
    e.webAddress = "http://forum.invalid";
    vx::net::WriteExchangeSettings(vx::SettingsStore::App(), e);
    vx::net::WriteProxySettings(vx::SettingsStore::App(), {1, "127.0.0.1", std::to_string(proxy.port()), 1, "pat", "s3cret"});
    CDownloadDlg dlg(nullptr);
    QSignalSpy loaded(dlg.browser(), &QWebEngineView::loadFinished);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loaded.isEmpty(); }, 60000));
    // The proxy took the request for the forum.
    ASSERT_TRUE(QTest::qWaitFor([&] { return proxy.output().find("forum.invalid") != std::string::npos; }, 10000))
        << proxy.output();
    const std::string log = proxy.output();
    EXPECT_NE(log.find("POST http://forum.invalid/home.asp"), std::string::npos) << log;
    vx::net::WriteProxySettings(vx::SettingsStore::App(), {});
}
