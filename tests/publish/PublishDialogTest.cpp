// Publish > Server... driven offscreen against loopback servers: what OK
// sends, that a failure is shown and keeps the dialog open, that unsaved
// changes are saved first, that Cancel stops a running upload.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "net/ExchangeSettings.h"
#include "platform/Settings.h"
#include "publish/PublishAnimation.h"
#include "publish/PublishDlg.h"
#include "support/NetServers.h"
#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

namespace {

// The active design as the application would report it.
class FakePublishHost : public CPublishHost {
public:
    std::optional<vx::net::DesignInfo> ActiveDesign() const override { return design; }
    bool ActiveDesignModified() const override { return modified; }
    bool SaveActiveDesign() override {
        ++saves;
        vxtest::WriteDesign(design->path, design->title, design->description);
        modified = false;
        return true;
    }
    void OpenDesign() override {}

    std::optional<vx::net::DesignInfo> design;
    bool modified = false;
    int saves = 0;
};

class PublishDialog : public ::testing::Test {
protected:
    void SetUp() override {
        vx::SettingsStore::SetApp(std::make_unique<vx::SettingsStore>(vxtest::TempDir() + "/s.conf"));
        root_ = vxtest::TempDir();
        path_ = vxtest::TempDir() + "/Two words.vxw";
        vxtest::WriteDesign(path_, "Shop", "Orders & = % + \nfor \xC3\x84rger");
        host_.design = vx::net::DesignInfo{path_, "Shop", "Orders & = % + \nfor \xC3\x84rger"};
    }
    void TearDown() override { vx::SettingsStore::SetApp(nullptr); }

    std::string root_, path_;
    FakePublishHost host_;
};

}  // namespace

TEST_F(PublishDialog, OpensWithTheActiveDesignAndTheCategories) {
    CPublishDlg dlg(&host_);
    dlg.Prepare();
    EXPECT_EQ(dlg.windowTitle(), "Publish");
    EXPECT_EQ(dlg.designEdit()->text().toStdString(), path_);
    EXPECT_EQ(dlg.designEdit()->maxLength(), 255);
    ASSERT_EQ(dlg.projectCombo()->count(), 1);
    EXPECT_EQ(dlg.projectCombo()->currentText(), "Public submission");
    ASSERT_EQ(dlg.categoryCombo()->count(), 3);
    EXPECT_EQ(dlg.categoryCombo()->itemText(0), "Design Patterns");
    EXPECT_EQ(dlg.categoryCombo()->itemText(1), "Architecture Patterns");
    EXPECT_EQ(dlg.categoryCombo()->currentText(), "Miscellaneous Designs");
    EXPECT_FALSE(dlg.animation()->playing());
}

TEST_F(PublishDialog, OkUploadsThenPostsAndCloses) {
    vxtest::FtpServer ftp(root_, "sketcher", "lanternwick");
    vxtest::FormServer web;
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    vxtest::PointExchangeAt(vx::SettingsStore::App(), ftp, web, 5, "");
    CPublishDlg dlg(&host_);
    dlg.Prepare();
    dlg.show();
    dlg.categoryCombo()->setCurrentIndex(1);
    // The member name is typed once and remembered.
    QTest::keyClicks(dlg.memberEdit(), "Anna Maria");
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.publishing());
    EXPECT_TRUE(dlg.animation()->playing());
    EXPECT_FALSE(dlg.okButton()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 30000)) << dlg.statusLabel()->text().toStdString();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.animation()->playing());
    EXPECT_EQ(vxtest::ReadAll(root_ + "/Two words.vxw"), vxtest::ReadAll(path_));
    const auto records = web.Records();
    ASSERT_EQ(records.size(), 1u);
    const QJsonObject f = records[0]["fields"].toObject();
    EXPECT_EQ(f["FORUM_ID"].toString(), "3");
    EXPECT_EQ(f["D_FILE"].toString(), "Two words.vxw");
    EXPECT_EQ(f["D_AUTH"].toString(), "Anna Maria");
    EXPECT_EQ(f["D_NAME"].toString(), "Shop");
    EXPECT_EQ(f["D_DESC"].toString(), QString::fromUtf8("Orders & = % +  for \xC3\x84rger"));
    EXPECT_EQ(vx::net::ReadExchangeSettings(vx::SettingsStore::App()).memberName, "Anna Maria");
    CPublishDlg again(&host_);
    again.Prepare();
    EXPECT_EQ(again.memberEdit()->text(), "Anna Maria");
}

TEST_F(PublishDialog, FailureIsShownAndTheDialogStaysOpen) {
    vxtest::FtpServer ftp(root_, "sketcher", "not the service's password");
    vxtest::FormServer web;
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    vxtest::PointExchangeAt(vx::SettingsStore::App(), ftp, web);
    CPublishDlg dlg(&host_);
    dlg.Prepare();
    dlg.show();
    vxtest::AnswerNext(QMessageBox::Ok);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([] { return vxtest::PendingAnswers() == 0; }, 30000));
    EXPECT_TRUE(vxtest::LastAskedText().contains("refused the login")) << vxtest::LastAskedText().toStdString();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.publishing());
    EXPECT_TRUE(dlg.okButton()->isEnabled());
    EXPECT_TRUE(web.Records().empty());
}

TEST_F(PublishDialog, UnsavedDesignIsSavedOrNotPublished) {
    vxtest::FtpServer ftp(root_, "sketcher", "lanternwick");
    vxtest::FormServer web;
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    vxtest::PointExchangeAt(vx::SettingsStore::App(), ftp, web);
    CPublishDlg dlg(&host_);
    dlg.Prepare();
    dlg.show();
    // No file yet: nothing is sent.
    dlg.designEdit()->clear();
    vxtest::AnswerNext(QMessageBox::Ok);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_EQ(vxtest::LastAskedText(), "The design must be saved before it can be published.");
    EXPECT_FALSE(dlg.publishing());
    // Unsaved changes: Cancel sends nothing, Yes saves first.
    dlg.SetDesignPath(QString::fromStdString(path_));
    host_.modified = true;
    vxtest::AnswerNext(QMessageBox::Cancel);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_TRUE(vxtest::LastAskedText().contains("not saved"));
    EXPECT_FALSE(dlg.publishing());
    EXPECT_EQ(host_.saves, 0);
    host_.design->title = "Shop 2";
    vxtest::AnswerNext(QMessageBox::Yes);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_EQ(host_.saves, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 30000)) << dlg.statusLabel()->text().toStdString();
    ASSERT_EQ(web.Records().size(), 1u);
    EXPECT_EQ(web.Records()[0]["fields"].toObject()["D_NAME"].toString(), "Shop 2");
    EXPECT_TRUE(vxtest::FolderEntries(root_) == std::vector<std::string>{"Two words.vxw"});
}

TEST_F(PublishDialog, CancelStopsTheUploadAndKeepsTheDialog) {
    // A large file on a throttled server.
    vxtest::WriteAll(path_, std::vector<uint8_t>(24 << 20, 0x5A));
    vxtest::FtpServer ftp(root_, "sketcher", "lanternwick", 1 << 20);
    vxtest::FormServer web;
    ASSERT_TRUE(ftp.ok() && web.ok()) << ftp.error() << web.error();
    vxtest::PointExchangeAt(vx::SettingsStore::App(), ftp, web);
    CPublishDlg dlg(&host_);
    // The file is no design; this dialog takes the active design's texts.
    dlg.Prepare();
    dlg.show();
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.progressBar()->value() >= 3 || !dlg.publishing(); }, 30000));
    ASSERT_TRUE(dlg.publishing()) << dlg.statusLabel()->text().toStdString();
    QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg.publishing(); }, 15000));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.statusLabel()->text().contains("cancelled"));
    EXPECT_FALSE(dlg.animation()->playing());
    EXPECT_TRUE(web.Records().empty());
    EXPECT_TRUE(vxtest::FolderEntries(root_).empty());
    // A second Cancel closes it.
    QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
}
