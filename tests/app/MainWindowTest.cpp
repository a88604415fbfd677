// The main window driven offscreen: documents through commands, command
// routing, recent files, settings, auto-save and the hand-over between
// instances.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTest>
#include <thread>

#include "command/CommandIds.h"
#include "app/MainFrame.h"
#include "app/MyApp.h"
#include "app/MyFrame.h"
#include "app/MyView.h"
#include "app/SingleInstance.h"
#include "model/HyperOleDoc.h"
#include "model/HyperViewOb.h"
#include "platform/Settings.h"
#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

namespace {

using namespace vx::cmd;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = vxtest::TempDir();
        settingsFile_ = dir_ + "/settings.conf";
        vx::SettingsStore::SetApp(std::make_unique<vx::SettingsStore>(settingsFile_));
    }
    void TearDown() override {
        if (app_ && app_->mainFrame()) {
            for (CHyperFrame* f : app_->mainFrame()->Frames()) f->GetDocument()->SetModifiedFlag(false);
            app_->mainFrame()->close();
        }
        app_.reset();
        vx::SettingsStore::SetApp(nullptr);
    }
    CMyApp& Start(const QStringList& files = {}) {
        app_ = std::make_unique<CMyApp>();
        EXPECT_TRUE(app_->InitInstance(files, false));
        return *app_;
    }
    CMainFrame& Main() { return *app_->mainFrame(); }
    std::string MakeDesign(const std::string& name, const char* code = "Box") {
        CMyDoc doc;
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw(code);
        doc.mainPage().Insert(std::move(ob))->SetRect(CRect(10, 10, 50, 40));
        const std::string path = dir_ + "/" + name;
        EXPECT_EQ(doc.SaveToFile(path), "");
        return path;
    }
    static void AddObject(CMyDoc* doc, const char* code) {
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw(code);
        doc->mainPage().Insert(std::move(ob));
        doc->SetModifiedFlag(true);
    }

    std::string dir_, settingsFile_;
    std::unique_ptr<CMyApp> app_;
};

TEST_F(MainWindow, StartUpWritesSettingsUnderTheCompanyKeyOwnerOnly) {
    Start();
    ASSERT_EQ(Main().Frames().size(), 1);  // a new empty design
    vx::SettingsStore::App().Sync();
    QSettings raw(QString::fromStdString(settingsFile_), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Settings/WorkingDir").toString(), QDir::currentPath());
    const auto perms = QFileInfo(QString::fromStdString(settingsFile_)).permissions();
    EXPECT_FALSE(perms & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther));
    EXPECT_EQ(app_->aboutPath(), QDir::currentPath() + "/readme.rtf");
}

TEST_F(MainWindow, OpenSaveAndCloseThroughCommands) {
    const std::string path = MakeDesign("one.vxw");
    Start({QString::fromStdString(path)});
    ASSERT_EQ(Main().Frames().size(), 1);
    CHyperFrame* frame = Main().ActiveFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetDocument()->mainPage().Count(), 1u);
    // Opening the same file again activates the open window.
    EXPECT_EQ(Main().OpenDocumentFile(QString::fromStdString(path)), frame);

    AddObject(frame->GetDocument(), "Second");
    EXPECT_TRUE(Main().RouteUpdate(kFileSave).enabled);
    EXPECT_TRUE(Main().RouteCommand(kFileSave));
    EXPECT_FALSE(frame->GetDocument()->IsModified());
    CMyDoc check;
    ASSERT_EQ(check.LoadFromFile(path).status, LoadResult::kOk);
    EXPECT_EQ(check.mainPage().Count(), 2u);

    // Closing a modified document asks; Cancel keeps it open.
    AddObject(frame->GetDocument(), "Third");
    vxtest::AnswerNext(QMessageBox::Cancel);
    Main().RouteCommand(kFileClose);
    EXPECT_TRUE(QTest::qWaitFor([] { return vxtest::PendingAnswers() == 0; }));
    EXPECT_TRUE(vxtest::LastAskedText().contains("Save changes to"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Main().Frames().size(), 1);
    // No throws the changes away and closes.
    vxtest::AnswerNext(QMessageBox::No);
    Main().RouteCommand(kFileClose);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Main().Frames().isEmpty(); }));
    ASSERT_EQ(check.LoadFromFile(path).status, LoadResult::kOk);
    EXPECT_EQ(check.mainPage().Count(), 2u);
}

TEST_F(MainWindow, CommandsNobodyHandlesAreDisabled) {
    Start();
    EXPECT_FALSE(Main().RouteUpdate(kPublishServer).enabled);
    EXPECT_TRUE(Main().RouteUpdate(kFileNew).enabled);
    CHyperFrame* frame = Main().ActiveFrame();
    ASSERT_NE(frame, nullptr);
    // A document command is handled by the frame; without a document it is off.
    EXPECT_TRUE(Main().RouteUpdate(kFileSaveAs).enabled);
    frame->GetDocument()->SetModifiedFlag(false);
    Main().RouteCommand(kFileClose);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Main().Frames().isEmpty(); }));
    EXPECT_FALSE(Main().RouteUpdate(kFileSave).enabled);
    Main().UpdateCommandUI();
    EXPECT_FALSE(Main().Action(kFileSave)->isEnabled());
    EXPECT_TRUE(Main().Action(kFileOpen)->isEnabled());
}

TEST_F(MainWindow, RecentFilesKeepFourNewestFirstInTheStore) {
    Start();
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) paths.push_back(MakeDesign("r" + std::to_string(i) + ".vxw"));
    for (const auto& p : paths) Main().OpenDocumentFile(QString::fromStdString(p));
    ASSERT_EQ(app_->recentFiles().Files().size(), 4u);
    EXPECT_EQ(app_->recentFiles().Files().front(), paths[5]);
    // An auto-save copy never enters the list.
    app_->AddToRecentFileList(dir_ + "/~r5.vxw");
    EXPECT_EQ(app_->recentFiles().Files().front(), paths[5]);

    CRecentFileList reread;
    reread.ReadList(vx::SettingsStore::App());
    EXPECT_EQ(reread.Files(), app_->recentFiles().Files());
    EXPECT_EQ(vx::SettingsStore::App().GetProfileString("Recent File List", "File4"), paths[2]);
    // The recent-file command opens the entry.
    for (CHyperFrame* f : Main().Frames()) f->GetDocument()->SetModifiedFlag(false);
    Main().mdiArea()->closeAllSubWindows();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Main().Frames().isEmpty(); }));
    EXPECT_TRUE(Main().RouteCommand(kFileMru1 + 1));
    ASSERT_EQ(Main().Frames().size(), 1);
    EXPECT_EQ(Main().ActiveFrame()->GetDocument()->pathName(), paths[4]);
}

TEST_F(MainWindow, AutoSaveWritesASideFileThatSavingAndClosingRemove) {
    vx::SettingsStore::App().WriteProfileInt("Settings", "AutoSave", 1);
    const std::string path = MakeDesign("plan.vxw");
    const QString side = QString::fromStdString(dir_ + "/~plan.vxw");
    Start({QString::fromStdString(path)});
    CHyperFrame* frame = Main().ActiveFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->autoSaveSeconds(), 1);

    frame->OnAutoSaveTick();  // unmodified: nothing to save
    EXPECT_FALSE(QFile::exists(side));
    AddObject(frame->GetDocument(), "Changed");
    frame->OnAutoSaveTick();
    EXPECT_TRUE(QFile::exists(side));
    EXPECT_TRUE(frame->GetDocument()->IsModified());
    EXPECT_EQ(frame->GetDocument()->pathName(), path);

    ASSERT_TRUE(frame->Save());
    EXPECT_FALSE(QFile::exists(side));

    AddObject(frame->GetDocument(), "Again");
    frame->OnAutoSaveTick();
    EXPECT_TRUE(QFile::exists(side));
    vxtest::AnswerNext(QMessageBox::No);
    Main().RouteCommand(kFileClose);
    // The closed window removes the copy when it is deleted.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(side); }));
}

TEST_F(MainWindow, ANewerRecoveryCopyIsOfferedAndKept) {
    const std::string path = MakeDesign("work.vxw", "Original");
    const std::string side = dir_ + "/~work.vxw";
    {
        CMyDoc doc;
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw("Recovered");
        doc.mainPage().Insert(std::move(ob));
        ASSERT_EQ(doc.SaveToFile(side), "");
        QFile f(QString::fromStdString(side));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    }
    Start();
    vxtest::AnswerNext(QMessageBox::Yes);
    CHyperFrame* frame = Main().OpenDocumentFile(QString::fromStdString(path));
    ASSERT_NE(frame, nullptr);
    CMyDoc* doc = frame->GetDocument();
    EXPECT_EQ(doc->mainPage().At(0)->GetCode(), "Recovered");
    EXPECT_EQ(doc->pathName(), path);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(side)));
}

TEST_F(MainWindow, DamagedFilesAreReportedAndNotOpened) {
    const std::string bad = dir_ + "/bad.vxw";
    QFile f(QString::fromStdString(bad));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a design");
    f.close();
    Start();
    const auto before = Main().Frames().size();
    vxtest::AnswerNext(QMessageBox::Ok);
    EXPECT_EQ(Main().OpenDocumentFile(QString::fromStdString(bad)), nullptr);
    EXPECT_TRUE(vxtest::LastAskedText().contains("Cannot open"));
    EXPECT_EQ(Main().Frames().size(), before);
}

TEST_F(MainWindow, CaptionAndClientSizeComeFromTheWindowObject) {
    CMyDoc doc;
    doc.frameObject()->title = "Inventory";
    doc.frameObject()->width = 320;
    doc.frameObject()->height = 200;
    const std::string path = dir_ + "/caption.vxw";
    ASSERT_EQ(doc.SaveToFile(path), "");
    Start();
    Main().show();
    CHyperFrame* frame = Main().OpenDocumentFile(QString::fromStdString(path));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->windowTitle().startsWith("Inventory"));
    EXPECT_EQ(frame->size(), QSize(320, 200));
    EXPECT_TRUE(Main().windowTitle().contains("caption.vxw"));
}

TEST_F(MainWindow, ThePageObjectsOpenDocOpensADesignWindow) {
    const std::string other = MakeDesign("other.vxw", "Elsewhere");
    Start();
    CHyperFrame* frame = Main().ActiveFrame();
    ASSERT_NE(frame, nullptr);
    std::vector<vx::Variant> args{vx::Variant(other)};
    frame->GetDocument()->mainPage().pageObject()->Invoke("OpenDoc", args);
    ASSERT_EQ(Main().Frames().size(), 2);
    EXPECT_EQ(Main().ActiveFrame()->GetDocument()->pathName(), other);
}

TEST_F(MainWindow, PositionPanesShowRectanglesOrNA) {
    Start();
    Main().ShowPositionPanes(true);
    const CRect r(10, 20, 110, 70);
    Main().ShowPosition(&r);
    EXPECT_EQ(Main().positionText(), "10,20");
    EXPECT_EQ(Main().sizeText(), "100x50");
    const CRect empty;
    Main().ShowPosition(&empty);
    EXPECT_EQ(Main().positionText(), "N/A");
    Main().ShowPositionPanes(false);
    EXPECT_EQ(Main().positionText(), "");
}

TEST_F(MainWindow, BarStateIsSavedUnderTheBarProfile) {
    Start();
    Main().SaveBarState();
    QSettings raw(QString::fromStdString(settingsFile_), QSettings::IniFormat);
    EXPECT_TRUE(raw.contains("CBAR.SR1-Summary/State"));
    EXPECT_TRUE(raw.contains("CBAR.SR1-SCBar-59425/sizeVertCX"));
}

TEST(SingleInstance, ASecondInstanceHandsItsFilesOver) {
    const QString name = QStringLiteral("vx-test-%1").arg(QCoreApplication::applicationPid());
    CSingleInstance server(name);
    ASSERT_TRUE(server.Listen());
    QStringList received;
    QObject::connect(&server, &CSingleInstance::filesReceived, [&](const QStringList& f) { received = f; });
    bool sent = false;
    std::thread client([&] {
        CSingleInstance other(name);
        sent = other.SendToRunning({"/tmp/a b.vxw", "/tmp/c.vxw"}, 5000);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }, 5000));
    client.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(received, QStringList({"/tmp/a b.vxw", "/tmp/c.vxw"}));
    // Nobody listening: the files stay with the caller.
    EXPECT_FALSE(CSingleInstance(name + "-none").SendToRunning({"/tmp/x.vxw"}, 200));
}

}  // namespace
