#include "app/MyApp.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>

#include "app/AboutDlg.h"
#include "command/CommandIds.h"
#include "app/MainFrame.h"
#include "app/MyFrame.h"
#include "app/MyView.h"
#include "app/PublishLink.h"
#include "dialogs/Dialogs.h"
#include "paint/PntEditor.h"
#include "model/HyperOleDoc.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"
#include "publish/PublishDlg.h"
#include "publish/SetupPage1.h"

namespace {

constexpr const char* kSettings = "Settings";

}  // namespace

CMyApp::CMyApp() {
    commands_.On(vx::cmd::kAppAbout, [this] { OnAppAbout(); });
    commands_.On(vx::cmd::kFileNew, [this] { main_->NewDocument(); });
    commands_.On(vx::cmd::kFileOpen, [this] {
        const QString dir = QString::fromStdString(GetWorkingDir());
        const QStringList paths =
            QFileDialog::getOpenFileNames(main_.get(), tr("Open"), dir, tr("Vxw Files (*.vxw);;All Files (*)"));
        for (const QString& p : paths) main_->OpenDocumentFile(p);
        // The publish dialog shows the design just opened.
        if (publishDlg_ && publishDlg_->isVisible())
            if (auto d = publishHost_->ActiveDesign()) publishDlg_->SetDesignPath(vx::ToQString(d->path));
    });
    commands_.On(vx::cmd::kFilePrintSetup, [this] {
        QPrinter printer;
        QPageSetupDialog dlg(&printer, main_.get());
        dlg.exec();
    });
    commands_.OnRange(
        vx::cmd::kFileMru1, vx::cmd::kFileMru1 + vx::cmd::kFileMruCount - 1,
        [this](int id) {
            const int i = id - vx::cmd::kFileMru1;
            if (i >= int(recent_.Files().size())) return;
            const QString path = vx::ToQString(recent_.Files()[size_t(i)]);
            if (!main_->OpenDocumentFile(path) && !QFileInfo::exists(path)) {
                recent_.Remove(i);
                recent_.WriteList(vx::SettingsStore::App());
            }
        },
        [this](int id, CCmdUI& ui) { ui.Enable(id - vx::cmd::kFileMru1 < int(recent_.Files().size())); });
    commands_.On(vx::cmd::kAppExit, [this] { main_->close(); });
    AddExchangeCommands();
}

CMyApp::~CMyApp() {
    // The dialog refers to the main window through its host.
    publishDlg_.reset();
}

void CMyApp::AddExchangeCommands() {
    commands_.On(vx::cmd::kPublishSetup, [this] {
        CPublishSetup sheet(main_.get());
        sheet.AddPage(new CSetupPage1(&sheet));
        sheet.exec();
    });
    commands_.On(
        vx::cmd::kPublishServer, [this] { if (publishDlg_) publishDlg_->Run(); },
        [this](CCmdUI& ui) { ui.Enable(publishDlg_ && !publishDlg_->isVisible()); });
    commands_.On(
        vx::cmd::kDownloadDesigns,
        [this] {
            if (DownloadWindow())
                DownloadWindow()(main_.get(), [this](const QString& path) { main_->OpenDocumentFile(path); });
        },
        [](CCmdUI& ui) { ui.Enable(bool(DownloadWindow())); });
}

bool CMyApp::InitInstance(const QStringList& files, bool showWindow) {
    // The model edits snap-point sets and layer lists through these dialogs.
    InstallListDialogs();
    vx::pnt::InstallBitmapDialogEditor();
    InstallClassDefinitionDialog();
    vx::SettingsStore& store = vx::SettingsStore::App();
    const QString cwd = QDir::currentPath();
    recent_.ReadList(store);
    store.GetProfileInt(kSettings, "PreviewPages", 0);
    store.WriteProfileString(kSettings, "WorkingDir", vx::FromQString(cwd));
    store.Sync();

    main_ = std::make_unique<CMainFrame>(this);
    if (!main_->Create()) return false;
    main_->setAcceptDrops(true);
    publishHost_ = std::make_unique<CAppPublishHost>(main_.get());
    publishDlg_ = std::make_unique<CPublishDlg>(publishHost_.get(), main_.get());
    aboutPath_ = cwd + QStringLiteral("/readme.rtf");

    if (files.isEmpty()) {
        main_->NewDocument();
    } else {
        for (const QString& f : files) main_->OpenDocumentFile(f);
        if (main_->Frames().isEmpty()) main_->NewDocument();
    }
    // Designs opened before the main window is up keep their default size.
    if (showWindow) main_->show();
    main_->UpdateCommandUI();
    return true;
}

void CMyApp::AddToRecentFileList(const std::string& path) {
    // Recovery copies never enter the list.
    if (CMyDoc::IsAutoSavePath(path)) return;
    recent_.Add(path);
    recent_.WriteList(vx::SettingsStore::App());
    vx::SettingsStore::App().Sync();
}

std::string CMyApp::GetWorkingDir() const {
    return vx::SettingsStore::App().GetProfileString(kSettings, "WorkingDir", "");
}

ProxySettings CMyApp::GetProxySettings() const { return vx::net::ReadProxySettings(vx::SettingsStore::App()); }

void CMyApp::SetProxySettings(const ProxySettings& p) { vx::net::WriteProxySettings(vx::SettingsStore::App(), p); }

void CMyApp::OpenFiles(const QStringList& files) {
    for (const QString& f : files) main_->OpenDocumentFile(f);
    main_->raise();
    main_->activateWindow();
}

void CMyApp::OnAppAbout() {
    CAboutDlg dlg(aboutPath_, main_.get());
    dlg.exec();
}
