#include "widgets/tgradientlabel.h"

#include <QLinearGradient>
#include <QPainter>

namespace kelvatron {

TGradientLabel::TGradientLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setPixelSize(22);
    f.setBold(true);
    setFont(f);
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, [this] {
        phase_ = std::fmod(phase_ + 0.02, 1.0);
        update();
    });
}

void TGradientLabel::setCaption(const QString& caption) {
    caption_ = caption;
    setAccessibleName(caption);
    update();
}

void TGradientLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(-width() + phase_ * 2 * width(), 0, phase_ * 2 * width(), 0);
    g.setSpread(QGradient::ReflectSpread);
    g.setColorAt(0, QColor(255, 230, 90));
    g.setColorAt(0.5, QColor(90, 255, 160));
    g.setColorAt(1, QColor(120, 180, 255));
    p.setPen(QPen(QBrush(g), 1));
    p.drawText(rect(), Qt::AlignCenter, caption_);
}

void TGradientLabel::showEvent(QShowEvent*) { timer_.start(); }
void TGradientLabel::hideEvent(QHideEvent*) { timer_.stop(); }

} // namespace kelvatron
