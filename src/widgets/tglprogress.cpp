#include "widgets/tglprogress.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/theme.h"

namespace kelvatron {

TglProgress::TglProgress(QWidget* parent) : QWidget(parent) {
    setFont(theme::font(11, true));
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
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    theme::drawLevelBar(p, r, std::min<int>(percent_, 100) / 100.0, 4);
    // The caption sits over both, so it carries a dark outline to read on either.
    QPainterPath text;
    const QFontMetricsF fm(font());
    const QPointF at(r.center().x() - fm.horizontalAdvance(caption_) / 2,
                     r.center().y() + (fm.ascent() - fm.descent()) / 2);
    text.addText(at, font(), caption_);
    p.setPen(QPen(QColor(0, 0, 0, 170), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? theme::kInk : theme::kInkDisabled);
    p.drawPath(text);
}

} // namespace kelvatron
