// One running editor per user: a second `vexelwork FILE` hands its files to
// the running instance over a local socket and ends.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` identifies the socket (tests pass their own).
    explicit CSingleInstance(const QString& name = DefaultName(), QObject* parent = nullptr);
    ~CSingleInstance() override;

    // Sends `files` (absolute paths) to a running instance; true when one
    // took them.
    bool SendToRunning(const QStringList& files, int timeoutMs = 2000) const;
    // Starts listening for other instances; false when that is impossible.
    bool Listen();

    static QString DefaultName();

signals:
    void filesReceived(const QStringList& files);

private:
    void OnConnection();

    QString name_;
    QLocalServer* server_ = nullptr;  // owned through the QObject parent
};
