#include "widgets/tgradientlabel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "widgets/theme.h"

namespace kelvatron {

TGradientLabel::TGradientLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFont(theme::font(22, true));
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
    p.setRenderHint(QPainter::Antialiasing);
    // The colours run along the text and come back (reflected), so the flow never jumps.
    const qreal span = std::max(1, width());
    QLinearGradient g(phase_ * 2 * span - span, 0, phase_ * 2 * span, 0);
    g.setSpread(QGradient::ReflectSpread);
    g.setColorAt(0, QColor(255, 226, 80));
    g.setColorAt(0.5, QColor(110, 255, 160));
    g.setColorAt(1, QColor(130, 196, 255));
    QPainterPath text;
    const QFontMetricsF fm(font());
    text.addText(QPointF((width() - fm.horizontalAdvance(caption_)) / 2,
                         (height() + fm.ascent() - fm.descent()) / 2),
                 font(), caption_);
    p.setPen(Qt::NoPen);
    p.setBrush(theme::kShade);
    p.drawPath(text.translated(1.5, 1.5));
    p.setBrush(g);
    p.drawPath(text);
}

void TGradientLabel::showEvent(QShowEvent*) {
    timer_.start();
}
void TGradientLabel::hideEvent(QHideEvent*) {
    timer_.stop();
}

} // namespace kelvatron
