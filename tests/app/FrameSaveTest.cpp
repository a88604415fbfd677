// A document window whose save fails: the message names the file and the
// cause, the file stays as it was and the design stays modified.
#include <gtest/gtest.h>

#include <cerrno>

#include "app/MyFrame.h"
#include "model/HyperOleDoc.h"
#include "platform/SafeSave.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

TEST(FrameSave, AFailedSaveIsReportedAndTheDesignStaysModified) {
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/plan.vxw";
    auto doc = std::make_unique<CMyDoc>();
    ASSERT_EQ(doc->DoSave(path), "");
    const std::vector<uint8_t> before = vxtest::ReadAll(path);
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw("Added");
    doc->mainPage().Insert(std::move(ob));
    doc->SetModifiedFlag(true);
    CMyFrame frame(std::move(doc));
    CMyDoc* d = frame.GetDocument();

    vxtest::AnswerNext(QMessageBox::Ok);
    vx::SafeSaveFaults::Arm(vx::SafeSaveFaults::kWrite, 1, ENOSPC);
    EXPECT_FALSE(frame.Save());
    vx::SafeSaveFaults::Clear();
    QString text = vxtest::LastAskedText();
    EXPECT_TRUE(text.contains(QString::fromStdString(path))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("out of disk space"))) << text.toStdString();
    EXPECT_TRUE(d->IsModified());
    EXPECT_EQ(d->pathName(), path);
    EXPECT_EQ(vxtest::ReadAll(path), before);
    EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"plan.vxw"});

    // The auto-save copy fails the same way and the design stays modified.
    vxtest::AnswerNext(QMessageBox::Ok);
    vx::SafeSaveFaults::Arm(vx::SafeSaveFaults::kSync, 1, EIO);
    frame.OnAutoSaveTick();
    vx::SafeSaveFaults::Clear();
    text = vxtest::LastAskedText();
    EXPECT_TRUE(text.contains(QStringLiteral("~plan.vxw"))) << text.toStdString();
    EXPECT_TRUE(d->IsModified());
    EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"plan.vxw"});

    // Once the disk takes it, the save goes through.
    EXPECT_TRUE(frame.Save());
    EXPECT_FALSE(d->IsModified());
}
