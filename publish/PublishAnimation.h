// The animation of the publish dialog: the program's mark with a ring of
// dots that turns while a transfer runs (drawn by us; no video file).
#pragma once

#include <QWidget>

class QVariantAnimation;

class CPublishAnimation : public QWidget {
    Q_OBJECT
public:
    explicit CPublishAnimation(QWidget* parent = nullptr);
    void Play(bool play);
    bool playing() const;
    QSize sizeHint() const override { return QSize(64, 64); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QVariantAnimation* turn_ = nullptr;
    int step_ = 0;
};
