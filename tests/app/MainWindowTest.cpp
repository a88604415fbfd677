// The main window driven offscreen: documents through commands, command
// routing, recent files, settings, auto-save and the hand-over between
// instances.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
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
#include "model/HyperFrameOb.h"
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
    CMyApp& Start(const QStringList& files = {}, bool showWindow = false) {
        app_ = std::make_unique<CMyApp>();
        EXPECT_TRUE(app_->InitInstance(files, showWindow));
        return *app_;
    }
    // Ends the running editor the way a user does (bar state is saved).
    void Stop() {
        Main().close();
        app_.reset();
    }
    std::string MakeSizedDesign(const std::string& name, const char* title, int width, int height) {
        CMyDoc doc;
        doc.frameObject()->title = title;
        doc.frameObject()->width = width;
        doc.frameObject()->height = height;
        const std::string path = dir_ + "/" + name;
        EXPECT_EQ(doc.SaveToFile(path), "");
        return path;
    }
    int Setting(const std::string& section, const char* key) {
        return vx::SettingsStore::App().GetProfileInt(section, key, -1);
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
    // An id no window or the application has a handler for.
    EXPECT_FALSE(Main().RouteUpdate(1).enabled);
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

TEST_F(MainWindow, TheEditMenuOffersVertexEditing) {
    Start();
    QMenu* edit = nullptr;
    for (QAction* a : Main().menuBar()->actions())
        if (a->menu() && a->menu()->title() == QStringLiteral("&Edit")) edit = a->menu();
    ASSERT_NE(edit, nullptr);
    for (int id : {kEditPoints, kOpenOrClose}) {
        QAction* a = Main().Action(id);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_TRUE(edit->actions().contains(a)) << id;
        EXPECT_TRUE(a->isCheckable()) << id;
        // Nothing selected in the new design: off.
        EXPECT_FALSE(Main().RouteUpdate(id).enabled) << id;
    }
    EXPECT_EQ(Main().Action(kEditPoints)->statusTip(), QStringLiteral("Edit points on of selected contour"));
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
    // Zeroed bytes, a named pipe and a device are not opened either, and
    // the message says why.
    const std::string zeros = dir_ + "/zeros.vxw", pipe = dir_ + "/pipe.vxw";
    QFile z(QString::fromStdString(zeros));
    ASSERT_TRUE(z.open(QIODevice::WriteOnly));
    z.write(QByteArray(64, '\0'));
    z.close();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const auto& [path, says] : {std::pair<std::string, const char*>{zeros, "zero bytes"},
                                     {pipe, "named pipe"},
                                     {"/dev/zero", "device"}}) {
        vxtest::AnswerNext(QMessageBox::Ok);
        EXPECT_EQ(Main().OpenDocumentFile(QString::fromStdString(path)), nullptr);
        EXPECT_TRUE(vxtest::LastAskedText().contains(says)) << vxtest::LastAskedText().toStdString();
        EXPECT_EQ(Main().Frames().size(), before);
    }
}

TEST_F(MainWindow, CaptionsComeFromTheWindowObjectsTitle) {
    const std::string path = MakeSizedDesign("caption.vxw", "Inventory", 320, 200);
    Start();
    CHyperFrame* frame = Main().OpenDocumentFile(QString::fromStdString(path));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->windowTitle().startsWith("Inventory"));
    EXPECT_EQ(Main().windowTitle(), "Vexelwork - Inventory");
    // A script renaming the window renames both captions.
    frame->GetDocument()->frameObject()->SetProperty("Title", vx::Variant(std::string("Stock")));
    EXPECT_TRUE(frame->windowTitle().startsWith("Stock"));
    EXPECT_EQ(Main().windowTitle(), "Vexelwork - Stock");
    AddObject(frame->GetDocument(), "Changed");
    frame->UpdateCaption();
    EXPECT_EQ(Main().windowTitle(), "Vexelwork - Stock*");
}

TEST_F(MainWindow, WindowsOpenAtTheDefaultSizeAFileBringsItsClientSizeOnceAndSavesTheSizeLeft) {
    const std::string atStart = MakeSizedDesign("start.vxw", "Start", 320, 200);
    const std::string later = MakeSizedDesign("later.vxw", "Later", 300, 180);
    Start({QString::fromStdString(atStart)}, true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    const QSize standard = Main().DefaultChildSize();
    EXPECT_GE(standard.width(), 320);
    EXPECT_GE(standard.height(), 240);
    // Opened before the main window was up: the stored size does not apply,
    // the window has the default size (measured before the bars took their
    // final heights).
    CHyperFrame* first = Main().ActiveFrame();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->size(), QSize(320, 200));
    EXPECT_EQ(first->subWindow()->width(), standard.width());
    EXPECT_NEAR(first->subWindow()->height(), standard.height(), 40);
    // A new design keeps the default window.
    CHyperFrame* fresh = Main().NewDocument();
    EXPECT_EQ(fresh->subWindow()->size(), standard);
    // Opened while the main window is up: the client size is the stored one.
    CHyperFrame* opened = Main().OpenDocumentFile(QString::fromStdString(later));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->size(), QSize(300, 180));
    // Only once: refreshing the document leaves the size the user gave.
    opened->subWindow()->resize(500, 400);
    opened->OnDocumentLoaded();
    EXPECT_EQ(opened->subWindow()->size(), QSize(500, 400));

    // The window object follows the client size, so a saved design opens
    // again as it was left.
    const auto stored = [](CHyperFrame* f) {
        const CHyperFrameOb* fo = f->GetDocument()->frameObject();
        return QSize(fo->width, fo->height);
    };
    for (CHyperFrame* f : {first, fresh, opened}) EXPECT_EQ(stored(f), f->size());
    fresh->subWindow()->resize(520, 410);
    const QSize left = fresh->size();
    const std::string saved = dir_ + "/left.vxw";
    ASSERT_TRUE(fresh->SaveTo(saved));
    fresh->subWindow()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().Frames().size() == 2; }));
    CHyperFrame* again = Main().OpenDocumentFile(QString::fromStdString(saved));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->size(), left);
    // Maximising does not change the stored size.
    again->subWindow()->showMaximized();
    EXPECT_EQ(stored(again), left);
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

TEST_F(MainWindow, TheViewsPositionReportsReachThePanesOfTheActiveWindow) {
    Start();
    CHyperFrame* first = Main().ActiveFrame();
    ASSERT_NE(first, nullptr);
    first->GetView()->ReportPosition(CRect(10, 20, 110, 70));
    EXPECT_EQ(Main().positionText(), "10,20");
    EXPECT_EQ(Main().sizeText(), "100x50");
    // A window in the background does not change what the panes show.
    CHyperFrame* second = Main().NewDocument();
    ASSERT_EQ(Main().ActiveFrame(), second);
    first->GetView()->ReportPosition(CRect(1, 2, 3, 4));
    EXPECT_EQ(Main().positionText(), "10,20");
    second->GetView()->ReportPosition(CRect());
    EXPECT_EQ(Main().positionText(), "N/A");
}

TEST_F(MainWindow, BarSizesAreKeptForEachOrientation) {
    const std::string section = "CBAR.SR1-SCBar-59425";
    vx::SettingsStore& store = vx::SettingsStore::App();
    store.WriteProfileInt(section, "sizeHorzCX", 500);
    store.WriteProfileInt(section, "sizeHorzCY", 90);
    store.WriteProfileInt(section, "sizeFloatCX", 300);
    store.WriteProfileInt(section, "sizeFloatCY", 5);  // below the minimum
    Start();
    using O = CMainFrame::BarOrientation;
    QDockWidget* bar = Main().propertyBar();
    EXPECT_EQ(Main().OrientationOf(bar), O::kVert);
    EXPECT_EQ(Main().StoredBarSize(bar, O::kHorz), QSize(500, 90));
    EXPECT_EQ(Main().StoredBarSize(bar, O::kFloat), QSize(300, 40));

    // Saving takes the size of the orientation the bar is in and keeps the
    // other two; every bar has all six keys.
    Main().SaveBarState();
    EXPECT_EQ(Setting(section, "sizeVertCX"), bar->width());
    EXPECT_EQ(Setting(section, "sizeVertCY"), bar->height());
    EXPECT_EQ(Setting(section, "sizeHorzCX"), 500);
    EXPECT_EQ(Setting(section, "sizeHorzCY"), 90);
    EXPECT_EQ(Setting(section, "sizeFloatCX"), 300);
    EXPECT_EQ(Setting(section, "sizeFloatCY"), 40);
    for (const char* key :
         {"sizeHorzCX", "sizeHorzCY", "sizeVertCX", "sizeVertCY", "sizeFloatCX", "sizeFloatCY"})
        EXPECT_NE(Setting("CBAR.SR1-SCBar-59424", key), -1) << key;

    // A floating bar saves its floating size and comes back floating with it.
    bar->setFloating(true);
    bar->resize(280, 260);
    const int vertWidth = Setting(section, "sizeVertCX");
    Stop();
    EXPECT_EQ(Setting(section, "sizeFloatCX"), 280);
    EXPECT_EQ(Setting(section, "sizeFloatCY"), 260);
    EXPECT_EQ(Setting(section, "sizeVertCX"), vertWidth);
    store.WriteProfileInt(section, "sizeFloatCX", 310);
    Start();
    bar = Main().propertyBar();
    EXPECT_TRUE(bar->isFloating());
    EXPECT_EQ(bar->size(), QSize(310, 260));
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
