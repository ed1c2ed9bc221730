#include "widgets/tgldigits.h"

#include <QLCDNumber>
#include <QPainter>

namespace kelvatron {

TglDigits::TglDigits(QWidget* parent, int digitCount) : QWidget(parent), lcd_(new QLCDNumber(digitCount, this)) {
    lcd_->setSegmentStyle(QLCDNumber::Flat);
    lcd_->setFrameStyle(QFrame::NoFrame);
    QPalette pal = lcd_->palette();
    pal.setColor(QPalette::WindowText, QColor(120, 255, 140));
    pal.setColor(QPalette::Light, QColor(120, 255, 140));
    pal.setColor(QPalette::Dark, QColor(30, 80, 40));
    lcd_->setPalette(pal);
    lcd_->setAccessibleName(QString());
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

void TglDigits::refresh() {
    QString text = QString::number(value_, 'g', 15);
    lcd_->setDigitCount(std::max(lcd_->digitCount(), int(text.size()) + (ratio_ ? 2 : 0)));
    lcd_->display(ratio_ ? QStringLiteral("1:") + text : text);
    QString shown = ratio_ ? QStringLiteral("1 : ") + text : text;
    setAccessibleName(label_.isEmpty() ? shown : label_ + QStringLiteral(": ") + shown);
    setAccessibleDescription(shown);
}

void TglDigits::resizeEvent(QResizeEvent*) { lcd_->setGeometry(rect().adjusted(2, 2, -2, -2)); }

void TglDigits::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(hasFocus() ? QColor(255, 236, 120) : QColor(0, 0, 0, 160), 1));
    p.setBrush(QColor(8, 24, 16));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

} // namespace kelvatron
