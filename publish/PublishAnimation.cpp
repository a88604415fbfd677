#include "publish/PublishAnimation.h"

#include <QPainter>
#include <QVariantAnimation>
#include <cmath>

namespace {

constexpr int kDots = 12;

}  // namespace

CPublishAnimation::CPublishAnimation(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("animation"));
    setMinimumSize(64, 64);
    turn_ = new QVariantAnimation(this);
    turn_->setStartValue(0);
    turn_->setEndValue(kDots);
    turn_->setDuration(1200);
    turn_->setLoopCount(-1);
    connect(turn_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        const int step = v.toInt() % kDots;
        if (step == step_) return;
        step_ = step;
        update();
    });
}

void CPublishAnimation::Play(bool play) {
    if (play && turn_->state() != QAbstractAnimation::Running) turn_->start();
    if (!play) {
        turn_->stop();
        step_ = 0;
        update();
    }
}

bool CPublishAnimation::playing() const { return turn_->state() == QAbstractAnimation::Running; }

void CPublishAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    const double r = std::min(width(), height()) / 2.0 - 4;
    // The mark: a blue square with a white "V".
    const double s = r * 0.9;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 64, 160));
    p.drawRoundedRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s), 4, 4);
    p.setPen(QPen(Qt::white, std::max(2.0, s / 8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QVector<QPointF>{{c.x() - s / 4, c.y() - s / 4}, {c.x(), c.y() + s / 4}, {c.x() + s / 4, c.y() - s / 4}});
    // The ring: the current dot darkest, the ones behind it fading.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kDots; ++i) {
        const double a = 2 * M_PI * i / kDots - M_PI / 2;
        const int age = (step_ - i + kDots) % kDots;
        const int shade = playing() ? std::min(230, 40 + age * 18) : 200;
        p.setBrush(QColor(shade, shade, shade));
        p.drawEllipse(QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a)), 3, 3);
    }
}
