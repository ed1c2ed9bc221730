#include "widgets/tglprogress.h"

#include <QLinearGradient>
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
    // A sunken track...
    QLinearGradient track(r.topLeft(), r.bottomLeft());
    track.setColorAt(0, QColor(4, 14, 22));
    track.setColorAt(1, QColor(26, 48, 62));
    p.setPen(QPen(QColor(0, 0, 0, 190), 1));
    p.setBrush(track);
    p.drawRoundedRect(r, 4, 4);
    // ...filled from the left with a glossy bar whose colour runs from green to amber.
    QRectF fill = r.adjusted(1.5, 1.5, -1.5, -1.5);
    fill.setWidth(fill.width() * std::min<int>(percent_, 100) / 100.0);
    if (fill.width() > 1) {
        QLinearGradient colour(r.topLeft(), r.topRight());
        colour.setColorAt(0, QColor(60, 210, 90));
        colour.setColorAt(1, QColor(250, 196, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(fill, 3, 3);
        QLinearGradient gloss(fill.topLeft(), fill.bottomLeft());
        gloss.setColorAt(0, QColor(255, 255, 255, 120));
        gloss.setColorAt(0.5, QColor(255, 255, 255, 10));
        gloss.setColorAt(1, QColor(0, 0, 0, 40));
        p.setBrush(gloss);
        p.drawRoundedRect(fill, 3, 3);
    }
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
