#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>
#include <unistd.h>

namespace {

// Messages are UTF-8 lines; an empty line ends the request and the server
// answers "ok".
constexpr qint64 kMaxRequest = 1 << 20;

}  // namespace

CSingleInstance::CSingleInstance(const QString& name, QObject* parent) : QObject(parent), name_(name) {}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::DefaultName() { return QStringLiteral("vexelwork-%1").arg(::getuid()); }

bool CSingleInstance::SendToRunning(const QStringList& files, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray request;
    for (const QString& f : files) request += f.toUtf8() + '\n';
    request += '\n';
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    }
    return socket.readLine().trimmed() == "ok";
}

bool CSingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left behind by a crashed instance: nobody answers on it.
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(500)) return false;
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
    return true;
}

void CSingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxRequest) {
                socket->abort();
                return;
            }
            QStringList files;
            bool done = false;
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine().trimmed();
                if (line.isEmpty()) {
                    done = true;
                    break;
                }
                files << QString::fromUtf8(line);
            }
            if (!done) {
                // Keep what was read for the next chunk.
                socket->setProperty("vx_files", socket->property("vx_files").toStringList() + files);
                return;
            }
            files = socket->property("vx_files").toStringList() + files;
            socket->write("ok\n");
            socket->flush();
            emit filesReceived(files);
        });
    }
}
