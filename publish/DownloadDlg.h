// Download > Designs...: "Design Download", a window onto the exchange
// service's design forum in an embedded web view that fills the window and
// follows its size. The user follows links and downloads files: a design
// file is saved to the download folder and opened as a document of this
// program, any other file goes where the user says.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

class QWebEngineDownloadRequest;
class QWebEngineProfile;
class QWebEngineView;

namespace vx::net {
struct ExchangeSettings;
}

class CDownloadDlg : public QDialog {
    Q_OBJECT
public:
    using OpenDesignFn = std::function<void(const QString& path)>;
    // Creates the browser and navigates to the forum start page.
    CDownloadDlg(OpenDesignFn openDesign, QWidget* parent = nullptr);
    ~CDownloadDlg() override;

    QWebEngineView* browser() const { return browser_; }
    // Where design files are saved (default: the user's download folder).
    void SetDownloadFolder(const QString& folder) { folder_ = folder; }
    const QString& downloadFolder() const { return folder_; }

    // The forum start page of `exchange`: the home page with the forum page
    // as its "href".
    static QString StartAddress(const vx::net::ExchangeSettings& exchange);

    // Asks where a file that is no design goes (empty: not at all); a save
    // dialog unless tests replace it.
    using AskSavePathFn = std::function<QString(QWidget* parent, const QString& suggested)>;
    static AskSavePathFn& askSavePathHook();

signals:
    // A download ended; `path` is where it went (empty when it failed).
    void downloadFinished(const QString& path, bool ok);

private:
    void OnDownloadRequested(QWebEngineDownloadRequest* download);

    OpenDesignFn openDesign_;
    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* browser_ = nullptr;
    QString folder_;
};

// Prepares the process for the web engine; call before the application
// object is made. Under root Chromium's sandbox cannot run, so it is turned
// off there.
void PrepareDownloadWindow();
