#include "widgets/tglprogress.h"

#include <QLinearGradient>
#include <QPainter>

namespace kelvatron {

TglProgress::TglProgress(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    updateAccessibility();
}

void TglProgress::setPercent(uint8_t percent) {
    percent_ = percent;
    updateAccessibility();
    update();
}

void TglProgress::setCaption(const QString& caption) {
    caption_ = caption;
    updateAccessibility();
    update();
}

void TglProgress::updateAccessibility() {
    setAccessibleName(caption_);
    setAccessibleDescription(QString::number(percent_));
}

void TglProgress::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QColor(0, 0, 0, 160));
    p.setBrush(QColor(10, 30, 30));
    p.drawRoundedRect(r, 3, 3);
    QRectF fill = r.adjusted(1, 1, -1, -1);
    fill.setWidth(fill.width() * std::min<int>(percent_, 100) / 100.0);
    QLinearGradient g(fill.topLeft(), fill.topRight());
    g.setColorAt(0, QColor(60, 200, 90));
    g.setColorAt(1, QColor(240, 210, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(fill, 2, 2);
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, caption_);
}

} // namespace kelvatron
