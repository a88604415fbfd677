// The application: start-up, the settings store, the recent-file list and
// the application-wide commands (About, New, Open, recent files, Exit).
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <string>

#include "command/CmdTarget.h"
#include "app/RecentFileList.h"
#include "net/ExchangeSettings.h"

class CMainFrame;
class CSingleInstance;

class CAppPublishHost;
class CPublishDlg;
using ProxySettings = vx::net::ProxySettings;

class CMyApp : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    CMyApp();
    ~CMyApp() override;

    // Start-up in order: settings, working directory, main window, the
    // about-box path, the command line. False ends the program.
    bool InitInstance(const QStringList& files, bool showWindow = true);

    CMainFrame* mainFrame() const { return main_.get(); }
    CRecentFileList& recentFiles() { return recent_; }
    void AddToRecentFileList(const std::string& path);
    const QString& aboutPath() const { return aboutPath_; }

    std::string GetWorkingDir() const;
    ProxySettings GetProxySettings() const;
    void SetProxySettings(const ProxySettings& p);

    // Opens designs another instance handed over.
    void OpenFiles(const QStringList& files);
    void OnAppAbout();
    // The publish dialog, made with the main window and kept as long.
    CPublishDlg* publishDialog() const { return publishDlg_.get(); }

private:
    void AddExchangeCommands();

    std::unique_ptr<CMainFrame> main_;
    CRecentFileList recent_{4};
    QString aboutPath_;
    std::unique_ptr<CAppPublishHost> publishHost_;
    std::unique_ptr<CPublishDlg> publishDlg_;
};
