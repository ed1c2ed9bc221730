#include "widgets/tprogressbar.h"

#include <QPainter>

#include "widgets/theme.h"

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
    const double share = max_ > 0 && position_ > 0 ? double(position_) / max_ : 0.0;
    theme::drawLevelBar(p, r, share, 3);
}

} // namespace kelvatron
