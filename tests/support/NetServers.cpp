#include "support/NetServers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <csignal>

#include "model/HyperOleDoc.h"
#include "net/ExchangeSettings.h"
#include "platform/Settings.h"
#include "support/TestSupport.h"

namespace vxtest {

namespace {

constexpr int kStartMs = 20000;
const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kTinyproxy = QStringLiteral("/usr/bin/tinyproxy");

QString Script(const char* name) { return QStringLiteral(VX_TEST_SERVERS_DIR "/") + QLatin1String(name); }

// A port nobody listens on now (tinyproxy cannot pick one itself).
int FreePort() {
    QTcpServer s;
    return s.listen(QHostAddress::LocalHost, 0) ? s.serverPort() : 0;
}

}  // namespace

ServerProcess::~ServerProcess() {
    if (proc_ && proc_->state() != QProcess::NotRunning) {
        proc_->kill();
        proc_->waitForFinished(5000);
    }
}

std::string ServerProcess::output() {
    if (!proc_) return out_.toStdString();
    // What the server wrote is in the pipe already; take it without waiting.
    while (proc_->waitForReadyRead(0)) {
    }
    out_ += proc_->readAll();
    return out_.toStdString();
}

void ServerProcess::Start(const QString& program, const QStringList& args, const QString& ready) {
    proc_ = std::make_unique<QProcess>();
    proc_->setProcessChannelMode(QProcess::MergedChannels);
    // A test that dies (a sanitizer abort) takes its servers with it.
    proc_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    proc_->start(program, args);
    if (!proc_->waitForStarted(kStartMs)) {
        error_ = "cannot start " + program.toStdString();
        return;
    }
    int port = port_;
    const QDeadlineTimer deadline(kStartMs);
    while (!deadline.hasExpired()) {
        while (proc_->canReadLine()) {
            const QByteArray line = proc_->readLine();
            out_ += line;
            if (line.startsWith("PORT ")) port = line.mid(5).trimmed().toInt();
            if (line.contains(ready.toUtf8())) {
                port_ = port;
                return;
            }
        }
        if (proc_->state() == QProcess::NotRunning) break;
        proc_->waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    out_ += proc_->readAll();
    error_ = program.toStdString() + " did not start listening: " + out_.toStdString();
}

FtpServer::FtpServer(const std::string& root, const std::string& user, const std::string& password,
                     int readLimit) {
    Start(kPython,
          {Script("ftp_server.py"), QStringLiteral("--root"), QString::fromStdString(root), QStringLiteral("--user"),
           QString::fromStdString(user), QStringLiteral("--password"), QString::fromStdString(password),
           QStringLiteral("--limit"), QString::number(readLimit)},
          QStringLiteral("PORT "));
}

FormServer::FormServer(int status, const std::string& serveDir) {
    record_ = TempDir() + "/requests.jsonl";
    QStringList args{Script("form_server.py"), QStringLiteral("--record"), QString::fromStdString(record_),
                     QStringLiteral("--status"), QString::number(status)};
    if (!serveDir.empty()) args << QStringLiteral("--serve") << QString::fromStdString(serveDir);
    Start(kPython, args, QStringLiteral("PORT "));
}

std::vector<QJsonObject> FormServer::Records() const {
    std::vector<QJsonObject> out;
    QFile f(QString::fromStdString(record_));
    if (!f.open(QIODevice::ReadOnly)) return out;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.trimmed().isEmpty()) out.push_back(QJsonDocument::fromJson(line).object());
    return out;
}

SilentServer::SilentServer() { Start(kPython, {Script("silent_server.py")}, QStringLiteral("PORT ")); }

HttpProxy::HttpProxy(const std::string& user, const std::string& password) {
    const std::string dir = TempDir();
    const int port = FreePort();
    std::string conf = "Port " + std::to_string(port) +
                       "\nListen 127.0.0.1\nTimeout 60\nLogLevel Info\nMaxClients 50\n";
    if (!user.empty()) conf += "BasicAuth " + user + " " + password + "\n";
    WriteText(dir + "/tinyproxy.conf", conf);
    port_ = port;
    // Line-buffered, so each log line reaches the pipe when it is written.
    Start(QStringLiteral("/usr/bin/stdbuf"),
          {QStringLiteral("-oL"), kTinyproxy, QStringLiteral("-d"), QStringLiteral("-c"), QString::fromStdString(dir + "/tinyproxy.conf")},
          QStringLiteral("Accepting connections"));
    if (!error_.empty()) port_ = 0;
}

void PointExchangeAt(vx::SettingsStore& store, const FtpServer& ftp, const FormServer& web, int timeout,
                     const std::string& member) {
    vx::net::WriteExchangeSettings(store, {web.url(), ftp.hostPort(), "sketcher", "lanternwick", member, timeout,
                                           timeout});
}

void WriteDesign(const std::string& path, const std::string& title, const std::string& description) {
    CMyDoc doc;
    doc.SetTitle(title);
    doc.SetDescription(description);
    doc.SetModifiedFlag(false);
    const std::string err = doc.SaveToFile(path);
    if (!err.empty()) ADD_FAILURE() << err;
}

}  // namespace vxtest
