// Runs a publish on a worker thread and reports to the thread that owns the
// task (the GUI thread) through queued signals. Cancel stops the running
// transfer at its next progress call (within about a second).
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

#include "net/Publish.h"

namespace vx::net {

class PublishTask : public QObject {
    Q_OBJECT
public:
    explicit PublishTask(QObject* parent = nullptr);
    // Cancels a running publish and waits for its thread.
    ~PublishTask() override;

    // Starts the publish; false while one is running.
    bool Start(const PublishRequest& request);
    void Cancel() { cancel_ = true; }
    bool running() const { return running_; }

signals:
    // Percent of the current step (-1 while the size is unknown).
    void progress(int stage, int percent);
    void finished(int status, const QString& message);

private:
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    int lastStage_ = -1;
    int lastPercent_ = -2;
};

}  // namespace vx::net
