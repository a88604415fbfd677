#include "publish/DownloadDlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QAuthenticator>
#include <QNetworkProxy>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <unistd.h>

#include "net/ExchangeSettings.h"
#include "net/FormEncoding.h"
#include "platform/Text.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"

namespace {

// A name in `folder` that is not taken: "name.vxw", "name (1).vxw", ...
QString FreeName(const QString& folder, const QString& name) {
    const QFileInfo info(name);
    const QString base = info.completeBaseName(), suffix = info.suffix();
    QString candidate = name;
    for (int i = 1; QFileInfo::exists(folder + QLatin1Char('/') + candidate); ++i)
        candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(i).arg(suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
    return candidate;
}

}  // namespace

void PrepareDownloadWindow() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

QString CDownloadDlg::StartAddress(const vx::net::ExchangeSettings& exchange) {
    const QString web = vx::ToQString(exchange.webAddress);
    return web + QStringLiteral("/home.asp?href=") + web + QStringLiteral("/forum/default.asp?CAT_ID=3");
}

CDownloadDlg::CDownloadDlg(OpenDesignFn openDesign, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      openDesign_(std::move(openDesign)) {
    setWindowTitle(tr("Design Download"));
    folder_ = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    // The forum is reached through the proxy of Publish > Setup..., like
    // the publish transfers (the web engine takes the application proxy;
    // without a port, 1080 as for the transfers).
    const vx::net::ProxySettings proxy = vx::net::ReadProxySettings(vx::SettingsStore::App());
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    if (proxy.useProxy == 1 && !vx::Trim(proxy.address).empty()) {
        const int port = vx::net::ProxyPortNumber(proxy.port);
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, vx::ToQString(vx::Trim(proxy.address)),
                                                         quint16(port > 0 ? port : 1080)));
    } else {
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    }
    // A private profile: nothing of the forum stays on disk after the window.
    profile_ = new QWebEngineProfile(this);
    connect(profile_, &QWebEngineProfile::downloadRequested, this, &CDownloadDlg::OnDownloadRequested);
    browser_ = new QWebEngineView(this);
    browser_->setObjectName(QStringLiteral("browser"));
    auto* page = new QWebEnginePage(profile_, browser_);
    browser_->setPage(page);
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
            [proxy](const QUrl&, QAuthenticator* auth, const QString&) {
                if (proxy.useAuthorization != 1) return;
                auth->setUser(vx::ToQString(proxy.userName));
                auth->setPassword(vx::ToQString(proxy.password));
            });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(800, 600);

    QWebEngineHttpRequest request(QUrl(StartAddress(vx::net::ReadExchangeSettings(vx::SettingsStore::App()))),
                                  QWebEngineHttpRequest::Post);
    request.setPostData("CAT_ID=3");
    request.setHeader("Content-Type", "application/x-www-form-urlencoded");
    browser_->load(request);
}

CDownloadDlg::AskSavePathFn& CDownloadDlg::askSavePathHook() {
    static AskSavePathFn hook;
    return hook;
}

CDownloadDlg::~CDownloadDlg() {
    // The page must go before its profile.
    delete browser_;
    browser_ = nullptr;
}

void CDownloadDlg::OnDownloadRequested(QWebEngineDownloadRequest* download) {
    const QString suggested = QFileInfo(download->downloadFileName()).fileName();
    const bool design = QFileInfo(suggested).suffix().compare(QLatin1String("vxw"), Qt::CaseInsensitive) == 0;
    QString path;
    if (design) {
        QDir().mkpath(folder_);
        path = folder_ + QLatin1Char('/') + FreeName(folder_, suggested);
    } else {
        const QString proposal = folder_ + QLatin1Char('/') + suggested;
        path = askSavePathHook() ? askSavePathHook()(this, proposal)
                                 : QFileDialog::getSaveFileName(this, tr("Save Download"), proposal);
        if (path.isEmpty()) {
            download->cancel();
            return;
        }
    }
    download->setDownloadDirectory(QFileInfo(path).absolutePath());
    download->setDownloadFileName(QFileInfo(path).fileName());
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download, path, design] {
        if (!download->isFinished()) return;
        const bool ok = download->state() == QWebEngineDownloadRequest::DownloadCompleted;
        if (ok && design && openDesign_) openDesign_(path);
        emit downloadFinished(ok ? path : QString(), ok);
    });
    download->accept();
}
