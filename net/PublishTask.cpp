#include "net/PublishTask.h"

#include "platform/QtConv.h"

namespace vx::net {

PublishTask::PublishTask(QObject* parent) : QObject(parent) { InitTransfers(); }

PublishTask::~PublishTask() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
}

bool PublishTask::Start(const PublishRequest& request) {
    if (running_) return false;
    if (thread_.joinable()) thread_.join();
    cancel_ = false;
    running_ = true;
    lastStage_ = -1;
    lastPercent_ = -2;
    thread_ = std::thread([this, request] {
        const TransferResult r = RunPublish(request, [this](PublishStage stage, int64_t done, int64_t total) {
            const int s = int(stage);
            const int percent = total > 0 ? int(done * 100 / total) : -1;
            if (s != lastStage_ || percent != lastPercent_) {
                lastStage_ = s;
                lastPercent_ = percent;
                QMetaObject::invokeMethod(this, [this, s, percent] { emit progress(s, percent); },
                                          Qt::QueuedConnection);
            }
            return !cancel_.load();
        });
        const int status = int(r.status);
        const QString message = ToQString(r.message);
        QMetaObject::invokeMethod(
            this,
            [this, status, message] {
                running_ = false;
                if (thread_.joinable()) thread_.join();
                emit finished(status, message);
            },
            Qt::QueuedConnection);
    });
    return true;
}

}  // namespace vx::net
