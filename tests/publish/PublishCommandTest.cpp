// `vexelwork publish FILE.vxw [--category NAME]`, run as a separate process
// with its own settings file: exit 0 only when the upload and the post both
// succeeded, else 1 with one line.
#include <gtest/gtest.h>

#include <QProcess>

#include "net/ExchangeSettings.h"
#include "platform/Settings.h"
#include "support/NetServers.h"
#include "support/TestSupport.h"

namespace {

struct CommandRun {
    int status;
    QString err;
};

CommandRun Publish(const std::string& settings, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VEXELWORK_SETTINGS"), QString::fromStdString(settings));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VEXELWORK_BINARY), QStringList{QStringLiteral("publish")} + args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

class PublishCommand : public ::testing::Test {
protected:
    void SetUp() override {
        settings_ = vxtest::TempDir() + "/s.conf";
        root_ = vxtest::TempDir();
        path_ = vxtest::TempDir() + "/cli design.vxw";
        vxtest::WriteDesign(path_, "Layers", "");
    }
    std::string settings_, root_, path_;
};

}  // namespace

TEST_F(PublishCommand, PublishesThroughTheProxyFromTheSettings) {
    vxtest::FtpServer ftp(root_, "sketcher", "lanternwick");
    vxtest::FormServer web;
    vxtest::HttpProxy proxy("pat", "s3cret");
    ASSERT_TRUE(ftp.ok() && web.ok() && proxy.ok()) << ftp.error() << web.error() << proxy.error();
    {
        vx::SettingsStore store(settings_);
        vxtest::PointExchangeAt(store, ftp, web);
        vx::net::WriteProxySettings(store, {1, "127.0.0.1", std::to_string(proxy.port()), 1, "pat", "s3cret"});
    }
    const CommandRun r = Publish(settings_, {QString::fromStdString(path_), "--category", "design patterns"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("uploading cli design.vxw: 100%")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("published cli design.vxw")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("s3cret"));
    EXPECT_EQ(vxtest::ReadAll(root_ + "/cli design.vxw"), vxtest::ReadAll(path_));
    ASSERT_EQ(web.Records().size(), 1u);
    const QJsonObject f = web.Records()[0]["fields"].toObject();
    EXPECT_EQ(f["FORUM_ID"].toString(), "2");
    EXPECT_EQ(f["D_DESC"].toString(), "No description given");
    EXPECT_NE(proxy.output().find("CONNECT 127.0.0.1:" + std::to_string(ftp.port())), std::string::npos);
}

TEST_F(PublishCommand, FailuresExitOneWithOneLine) {
    vxtest::FtpServer ftp(root_, "sketcher", "lanternwick");
    vxtest::FormServer web(500);
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    {
        vx::SettingsStore store(settings_);
        vxtest::PointExchangeAt(store, ftp, web);
    }
    CommandRun r = Publish(settings_, {QString::fromStdString(path_)});
    EXPECT_EQ(r.status, 1);
    const QStringList lines = r.err.trimmed().split('\n');
    EXPECT_TRUE(lines.back().contains("status 500")) << r.err.toStdString();
    r = Publish(settings_, {QString::fromStdString(path_), "--category", "Poetry"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.count('\n'), 1);
    EXPECT_TRUE(r.err.contains("unknown category")) << r.err.toStdString();
    r = Publish(settings_, {QString::fromStdString(root_ + "/missing.vxw")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.count('\n'), 1);
}
