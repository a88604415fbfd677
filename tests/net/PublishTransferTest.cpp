// Publishing against real servers on the loopback interface: the FTP
// server gets the file bytes, the web server the form, directly and through
// an HTTP proxy with and without authorization; refused logins, stalled
// servers, error answers and Cancel end with a message and nothing left
// under the final name.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <random>

#include "net/Publish.h"
#include "net/PublishTask.h"
#include "support/NetServers.h"
#include "support/TestSupport.h"

using namespace vx::net;

namespace {

constexpr const char* kUser = "sketcher";
constexpr const char* kPassword = "lanternwick";
// "Costs & = % + ", a line break, "Ärger".
const std::string kDescription = "Costs & = % + \r\n\xC3\x84rger";

std::vector<uint8_t> SomeBytes(size_t n) {
    std::vector<uint8_t> v(n);
    std::mt19937 rng(7);
    for (auto& b : v) b = uint8_t(rng());
    // Line ends and zeros must pass unchanged (binary transfer).
    if (n >= 4) v[0] = '\r', v[1] = '\n', v[2] = 0, v[3] = '\n';
    return v;
}

class PublishTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = vxtest::TempDir();
        designDir_ = vxtest::TempDir();
        path_ = designDir_ + "/My design.vxw";
        bytes_ = SomeBytes(100000);
        vxtest::WriteAll(path_, bytes_);
    }

    ExchangeSettings Exchange(const std::string& fileHost, const std::string& web) const {
        return {web, fileHost, kUser, kPassword, "Anna Maria", 3, 3};
    }

    PublishRequest Request(const ExchangeSettings& e, const ProxySettings& proxy = {}) const {
        PublishRequest r;
        EXPECT_EQ(MakePublishRequest({path_, "\xC3\x9C" "bersicht 1", kDescription}, 1, e, proxy, r), "");
        return r;
    }

    void ExpectDelivered(const vxtest::FormServer& web) const {
        EXPECT_EQ(vxtest::FolderEntries(root_), std::vector<std::string>{"My design.vxw"});
        EXPECT_EQ(vxtest::ReadAll(root_ + "/My design.vxw"), bytes_);
        const auto records = web.Records();
        ASSERT_EQ(records.size(), 1u);
        const QJsonObject& rec = records[0];
        EXPECT_EQ(rec["method"].toString(), "POST");
        EXPECT_EQ(rec["path"].toString(), "/uploadesign.asp");
        EXPECT_EQ(rec["content_type"].toString(), "application/x-www-form-urlencoded");
        for (const char* part : {"fields", "query_fields"}) {
            const QJsonObject f = rec[part].toObject();
            EXPECT_EQ(f["FORUM_ID"].toString(), "3") << part;
            EXPECT_EQ(f["CATEGORY_ID"].toString(), "3") << part;
            EXPECT_EQ(f["D_FILE"].toString(), "My design.vxw") << part;
            EXPECT_EQ(f["D_AUTH"].toString(), "Anna Maria") << part;
            EXPECT_EQ(f["D_NAME"].toString(), QString::fromUtf8("\xC3\x9C" "bersicht 1")) << part;
            EXPECT_EQ(f["D_DESC"].toString(), QString::fromUtf8("Costs & = % +  \xC3\x84rger")) << part;
        }
    }

    std::string root_, designDir_, path_;
    std::vector<uint8_t> bytes_;
};

}  // namespace

TEST_F(PublishTransfer, DeliversFileAndFormDirectlyAndThroughProxies) {
    vxtest::FtpServer ftp(root_, kUser, kPassword);
    ASSERT_TRUE(ftp.ok()) << ftp.error();
    {
        vxtest::FormServer web;
        ASSERT_TRUE(web.ok()) << web.error();
        const TransferResult r = RunPublish(Request(Exchange(ftp.hostPort(), web.url())), {});
        EXPECT_TRUE(r.ok()) << r.message;
        ExpectDelivered(web);
    }
    for (bool auth : {false, true}) {
        SCOPED_TRACE(auth ? "proxy with authorization" : "proxy");
        vx::net::ProxySettings proxy{1, "127.0.0.1", "", auth ? 1 : 0, "pat", "s3cret"};
        vxtest::HttpProxy tiny(auth ? "pat" : "", auth ? "s3cret" : "");
        ASSERT_TRUE(tiny.ok()) << tiny.error();
        proxy.port = std::to_string(tiny.port());
        vxtest::FormServer web;
        ASSERT_TRUE(web.ok()) << web.error();
        std::remove((root_ + "/My design.vxw").c_str());
        const TransferResult r = RunPublish(Request(Exchange(ftp.hostPort(), web.url()), proxy), {});
        EXPECT_TRUE(r.ok()) << r.message;
        ExpectDelivered(web);
        // Both went through the proxy: the upload as a tunnel to the
        // service's own FTP server, the post as a proxied request.
        const std::string log = tiny.output();
        EXPECT_NE(log.find("CONNECT 127.0.0.1:" + std::to_string(ftp.port())), std::string::npos) << log;
        EXPECT_NE(log.find("POST " + web.url() + "/uploadesign.asp"), std::string::npos) << log;
    }
}

TEST_F(PublishTransfer, ProxyRefusingTheCredentialsFailsBeforeAnyPost) {
    vxtest::FtpServer ftp(root_, kUser, kPassword);
    vxtest::HttpProxy tiny("pat", "s3cret");
    vxtest::FormServer web;
    ASSERT_TRUE(ftp.ok() && tiny.ok() && web.ok()) << ftp.error() << tiny.error() << web.error();
    const vx::net::ProxySettings proxy{1, "127.0.0.1", std::to_string(tiny.port()), 1, "pat", "wrong"};
    const TransferResult r = RunPublish(Request(Exchange(ftp.hostPort(), web.url()), proxy), {});
    EXPECT_EQ(r.status, TransferResult::kFailed);
    EXPECT_NE(r.message.find("upload"), std::string::npos) << r.message;
    EXPECT_EQ(r.message.find("wrong"), std::string::npos) << "the password must not show: " << r.message;
    EXPECT_TRUE(web.Records().empty());
    EXPECT_TRUE(vxtest::FolderEntries(root_).empty());
}

TEST_F(PublishTransfer, RefusedLoginIsReportedAndNothingIsPosted) {
    vxtest::FtpServer ftp(root_, kUser, "another password");
    vxtest::FormServer web;
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    const TransferResult r = RunPublish(Request(Exchange(ftp.hostPort(), web.url())), {});
    EXPECT_EQ(r.status, TransferResult::kFailed);
    EXPECT_NE(r.message.find("refused the login"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("My design.vxw"), std::string::npos) << r.message;
    EXPECT_TRUE(web.Records().empty());
}

TEST_F(PublishTransfer, StalledServersEndWithinTheTimeout) {
    vxtest::SilentServer silent;
    vxtest::FtpServer ftp(root_, kUser, kPassword);
    vxtest::FormServer web;
    ASSERT_TRUE(silent.ok() && ftp.ok() && web.ok()) << silent.error() << ftp.error() << web.error();
    QElapsedTimer clock;
    // An FTP server that accepts and never greets.
    clock.start();
    TransferResult r = RunPublish(Request(Exchange(silent.hostPort(), web.url())), {});
    EXPECT_EQ(r.status, TransferResult::kFailed);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_NE(r.message.find("upload"), std::string::npos) << r.message;
    EXPECT_TRUE(web.Records().empty());
    // A web server that takes the post and never answers.
    clock.restart();
    r = RunPublish(Request(Exchange(ftp.hostPort(), "http://" + silent.hostPort())), {});
    EXPECT_EQ(r.status, TransferResult::kFailed);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_NE(r.message.find("form post"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("within 3 seconds"), std::string::npos) << r.message;
}

TEST_F(PublishTransfer, ErrorAnswerToThePostIsAFailure) {
    vxtest::FtpServer ftp(root_, kUser, kPassword);
    vxtest::FormServer web(500);
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    const TransferResult r = RunPublish(Request(Exchange(ftp.hostPort(), web.url())), {});
    EXPECT_EQ(r.status, TransferResult::kFailed);
    EXPECT_EQ(r.httpStatus, 500);
    EXPECT_NE(r.message.find("status 500"), std::string::npos) << r.message;
    EXPECT_EQ(web.Records().size(), 1u);
}

TEST_F(PublishTransfer, CancelStopsALargeUploadAndLeavesNoFinalFile) {
    bytes_ = SomeBytes(32 << 20);
    vxtest::WriteAll(path_, bytes_);
    // 1 MB a second: the whole file would take half a minute.
    vxtest::FtpServer ftp(root_, kUser, kPassword, 1 << 20);
    vxtest::FormServer web;
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    PublishTask task;
    QSignalSpy finished(&task, &PublishTask::finished);
    int percent = -1;
    QObject::connect(&task, &PublishTask::progress, [&](int, int p) { percent = p; });
    ASSERT_TRUE(task.Start(Request(Exchange(ftp.hostPort(), web.url()))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return percent >= 3 || !finished.isEmpty(); }, 30000));
    ASSERT_TRUE(finished.isEmpty()) << finished.front().at(1).toString().toStdString();
    QElapsedTimer clock;
    clock.start();
    task.Cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, 20000));
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(finished.front().at(0).toInt(), int(TransferResult::kCancelled));
    EXPECT_FALSE(task.running());
    EXPECT_TRUE(web.Records().empty());
    // Neither a partial design under the final name nor the temporary file.
    EXPECT_TRUE(vxtest::FolderEntries(root_).empty());
}
