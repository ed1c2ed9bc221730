#include "widgets/tprogressbar.h"

#include <QLinearGradient>
#include <QPainter>

namespace kelvatron {

TProgressBar::TProgressBar(QWidget* parent) : QWidget(parent) { updateAccessibility(); }

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
    p.fillRect(rect(), QColor(10, 25, 30));
    if (max_ <= 0 || position_ <= 0) return;
    double share = std::clamp(double(position_) / max_, 0.0, 1.0);
    QRect done(rect().left(), rect().top(), int(width() * share), height());
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, QColor(40, 200, 80));
    g.setColorAt(1, QColor(250, 220, 60));
    p.fillRect(done, g);
}

} // namespace kelvatron
