#include "widgets/tglbevel.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace kelvatron {

TglBevel::TglBevel(QColor from, QColor to, QWidget* parent)
    : QWidget(parent), from_(from), to_(to) {}

void TglBevel::setGlossy(bool glossy) {
    glossy_ = glossy;
    update();
}

void TglBevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, from_);
    g.setColorAt(1, to_);
    p.fillRect(rect(), g);
    if (!glossy_) return;
    QLinearGradient gloss(0, 0, 0, height());
    gloss.setColorAt(0, QColor(255, 255, 255, 46));
    gloss.setColorAt(0.48, QColor(255, 255, 255, 12));
    gloss.setColorAt(0.52, QColor(0, 0, 0, 0));
    gloss.setColorAt(1, QColor(0, 0, 0, 70));
    p.fillRect(rect(), gloss);
    p.setPen(QColor(255, 255, 255, 70));
    p.drawLine(0, 0, width(), 0);
    p.setPen(QColor(0, 0, 0, 200));
    p.drawLine(0, height() - 1, width(), height() - 1);
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(0, height() - 2, width(), height() - 2);
}

void TglBevel::mousePressEvent(QMouseEvent* e) {
    e->accept();
    emit mousePressed();
}

} // namespace kelvatron
