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
#include "dialogs/Dialogs.h"
#include "model/HyperOleDoc.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"

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
}

CMyApp::~CMyApp() = default;

bool CMyApp::InitInstance(const QStringList& files, bool showWindow) {
    // The model edits snap-point sets and layer lists through these dialogs.
    InstallListDialogs();
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

ProxySettings CMyApp::GetProxySettings() const {
    const vx::SettingsStore& s = vx::SettingsStore::App();
    ProxySettings p;
    p.useProxy = s.GetProfileInt(kSettings, "UseProxy", 0);
    p.address = s.GetProfileString(kSettings, "ProxyAddress", "");
    p.port = s.GetProfileString(kSettings, "ProxyPort", "");
    p.useAuthorization = s.GetProfileInt(kSettings, "UseAuthorization", 0);
    p.userName = s.GetProfileString(kSettings, "ProxyUserName", "");
    p.password = s.GetProfileString(kSettings, "ProxyPassword", "");
    return p;
}

void CMyApp::SetProxySettings(const ProxySettings& p) {
    vx::SettingsStore& s = vx::SettingsStore::App();
    s.WriteProfileInt(kSettings, "UseProxy", p.useProxy);
    s.WriteProfileString(kSettings, "ProxyAddress", p.address);
    s.WriteProfileString(kSettings, "ProxyPort", p.port);
    s.WriteProfileInt(kSettings, "UseAuthorization", p.useAuthorization);
    s.WriteProfileString(kSettings, "ProxyUserName", p.userName);
    s.WriteProfileString(kSettings, "ProxyPassword", p.password);
    s.Sync();
}

void CMyApp::OpenFiles(const QStringList& files) {
    for (const QString& f : files) main_->OpenDocumentFile(f);
    main_->raise();
    main_->activateWindow();
}

void CMyApp::OnAppAbout() {
    CAboutDlg dlg(aboutPath_, main_.get());
    dlg.exec();
}
