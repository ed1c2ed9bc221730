#include "widgets/tglgraphicbutton.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace kelvatron {

TglGraphicButton::TglGraphicButton(GlyphKind glyph, QWidget* parent) : QWidget(parent), glyph_(glyph) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void TglGraphicButton::setHint(const QString& hint) {
    setToolTip(hint);
    setAccessibleName(hint);
}

void TglGraphicButton::press() {
    if (!isEnabled()) return;
    emit mouseDown();
    emit clicked();
}

void TglGraphicButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    bool close = glyph_ == GlyphKind::Close;
    QColor top = close ? QColor(220, 90, 70) : QColor(90, 160, 110);
    QColor bottom = close ? QColor(150, 30, 20) : QColor(30, 70, 100);
    if (hovered_) {
        top = top.lighter(120);
        bottom = bottom.lighter(120);
    }
    if (pressed_) std::swap(top, bottom);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(hasFocus() ? QColor(255, 236, 120) : QColor(0, 0, 0, 150), hasFocus() ? 2 : 1));
    p.drawRoundedRect(r, 3, 3);
    drawGlyph(p, glyph_, r, false);
}

void TglGraphicButton::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    update();
    emit mouseDown();
    QWidget::mousePressEvent(e);
}

void TglGraphicButton::mouseReleaseEvent(QMouseEvent* e) {
    bool inside = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    update();
    if (inside) emit clicked();
}

void TglGraphicButton::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        press();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TglGraphicButton::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void TglGraphicButton::leaveEvent(QEvent*) {
    hovered_ = false;
    pressed_ = false;
    update();
}

} // namespace kelvatron
