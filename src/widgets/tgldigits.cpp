#include "widgets/tgldigits.h"

#include <QLinearGradient>
#include <QPainter>

#include "widgets/sevensegment.h"
#include "widgets/theme.h"

namespace kelvatron {

TglDigits::TglDigits(QWidget* parent, int digitCount) : QWidget(parent), digitCount_(digitCount) {
    setFocusPolicy(Qt::TabFocus);
    refresh();
}

void TglDigits::setValue(double value) {
    value_ = value;
    refresh();
    emit valueChanged(value);
}

void TglDigits::setLabel(const QString& label) {
    label_ = label;
    refresh();
}

void TglDigits::setRatioStyle(bool ratio) {
    ratio_ = ratio;
    refresh();
}

QString TglDigits::displayText() const {
    QString text = QString::number(value_, 'g', 15);
    return ratio_ ? QStringLiteral("1:") + text : text;
}

void TglDigits::refresh() {
    const QString shown = displayText();
    setAccessibleName(label_.isEmpty() ? shown : label_ + QStringLiteral(": ") + shown);
    setAccessibleDescription(shown);
    update();
}

void TglDigits::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // A sunken glass face: dark, a little lighter at the top, with a bright lower rim.
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, theme::kDisplayFace.lighter(180));
    face.setColorAt(0.45, theme::kDisplayFace);
    face.setColorAt(1, theme::kDisplayFace.darker(130));
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(face);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.drawLine(QPointF(r.left() + 3, r.bottom() + 0.5), QPointF(r.right() - 3, r.bottom() + 0.5));
    if (theme::showsFocus(this)) {
        p.setPen(QPen(theme::kHighlight, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }

    const qreal padX = std::max<qreal>(2.5, height() * 0.1);
    const qreal padY = std::max<qreal>(3, height() * 0.18);
    // A ratio shows no unlit cells before its "1:", but its digits are as big as the others'.
    SegmentStyle style{theme::kSegmentOn, theme::kSegmentOff, ratio_ ? 0 : digitCount_,
                       digitCount_};
    if (!isEnabled()) style.lit = style.lit.darker(200);
    drawSevenSegments(p, r.adjusted(padX, padY, -padX, -padY), displayText(), style);
}

} // namespace kelvatron
