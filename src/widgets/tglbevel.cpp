#include "widgets/tglbevel.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace kelvatron {

TglBevel::TglBevel(QColor from, QColor to, QWidget* parent) : QWidget(parent), from_(from), to_(to) {}

void TglBevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, from_);
    g.setColorAt(1, to_);
    p.fillRect(rect(), g);
}

void TglBevel::mousePressEvent(QMouseEvent* e) {
    emit mousePressed();
    QWidget::mousePressEvent(e);
}

} // namespace kelvatron
