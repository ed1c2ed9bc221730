#include "widgets/tglgraphicbutton.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/theme.h"

namespace kelvatron {

TglGraphicButton::TglGraphicButton(GlyphKind glyph, QWidget* parent)
    : TglPressable(parent), glyph_(glyph) {
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
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool close = glyph_ == GlyphKind::Close;
    QColor top = close ? QColor(232, 104, 84) : QColor(84, 140, 172);
    QColor bottom = close ? QColor(156, 28, 18) : QColor(20, 46, 88);
    if (!isEnabled()) {
        top = QColor(110, 116, 122);
        bottom = QColor(60, 64, 70);
    } else if (hovered_ && !pressed_) {
        top = top.lighter(118);
        bottom = bottom.lighter(130);
    }
    if (pressed_) {
        top = top.darker(140);
        bottom = bottom.darker(115);
    }
    const qreal radius = std::min(r.height() / 4, 5.0);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(QColor(0, 0, 0, 170), 1));
    p.drawRoundedRect(r, radius, radius);
    if (!pressed_) {
        QLinearGradient gloss(r.topLeft(), r.bottomLeft());
        gloss.setColorAt(0, QColor(255, 255, 255, 110));
        gloss.setColorAt(0.5, QColor(255, 255, 255, 20));
        gloss.setColorAt(0.51, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    }
    drawGlyph(p, glyph_, QRectF(rect()).translated(0, pressed_ ? 1 : 0), false);
    if (theme::showsFocus(this)) {
        p.setPen(QPen(theme::kHighlight, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
}

void TglGraphicButton::mousePressEvent(QMouseEvent* e) {
    // Taken here, so the press never reaches the title strip under the button and starts a
    // window drag that would swallow the release.
    e->accept();
    pressed_ = true;
    // The press runs its handler at once (the sound test keys while the button is down), so
    // the pressed look is painted before it.
    repaint();
    emit mouseDown();
}

void TglGraphicButton::mouseReleaseEvent(QMouseEvent* e) {
    bool inside = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    update();
    if (inside) emit clicked();
}

void TglGraphicButton::keyPressEvent(QKeyEvent* e) {
    if (isActivationKey(e)) {
        press();
        return;
    }
    TglPressable::keyPressEvent(e);
}

} // namespace kelvatron
