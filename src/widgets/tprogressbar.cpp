#include "widgets/tprogressbar.h"

#include <QLinearGradient>
#include <QPainter>

namespace kelvatron {

TProgressBar::TProgressBar(QWidget* parent) : QWidget(parent) {
    updateAccessibility();
}

void TProgressBar::setPosition(int position) {
    position_ = position;
    updateAccessibility();
    update();
}

void TProgressBar::setMax(int max) {
    max_ = max;
    updateAccessibility();
    update();
}

void TProgressBar::updateAccessibility() {
    setAccessibleName(QStringLiteral("Ход передачи"));
    setAccessibleDescription(QStringLiteral("%1 / %2").arg(position_).arg(max_));
}

void TProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient track(r.topLeft(), r.bottomLeft());
    track.setColorAt(0, QColor(2, 10, 18));
    track.setColorAt(1, QColor(22, 40, 54));
    p.setPen(QPen(QColor(0, 0, 0, 170), 1));
    p.setBrush(track);
    p.drawRoundedRect(r, 3, 3);
    if (max_ <= 0 || position_ <= 0) return;
    const double share = std::clamp(double(position_) / max_, 0.0, 1.0);
    QRectF done = r.adjusted(1, 1, -1, -1);
    done.setWidth(done.width() * share);
    QLinearGradient colour(r.topLeft(), r.topRight());
    colour.setColorAt(0, QColor(40, 200, 80));
    colour.setColorAt(1, QColor(250, 210, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(done, 2, 2);
    QLinearGradient gloss(done.topLeft(), done.bottomLeft());
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(0.6, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRoundedRect(done, 2, 2);
}

} // namespace kelvatron
