#include "sendingui/sendingkeypad.h"

#include <QLinearGradient>
#include <QPainter>

#include "widgets/theme.h"

namespace kelvatron {

SendingKeyPad::SendingKeyPad(QWidget* parent) : QAbstractButton(parent) {
    setAccessibleName("Ключ");
    setAccessibleDescription("Нажмите мышью или пробелом: пока ключ нажат, звучит тон");
    // Space keys through the panel's key handler; a focused pad would take it as a click.
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void SendingKeyPad::setLit(bool lit) {
    if (lit == lit_) return;
    lit_ = lit;
    update();
}

void SendingKeyPad::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, lit_ ? theme::kLitTop : theme::kPanelTop.lighter(150));
    face.setColorAt(1, lit_ ? theme::kLitBottom : theme::kPanelBottom);
    p.setPen(QPen(lit_ ? theme::kHighlight : theme::kPanelEdge, 2));
    p.setBrush(face);
    p.drawRoundedRect(r, 14, 14);
    p.setFont(theme::font(24, true));
    theme::drawShadowedText(p, r.adjusted(0, 2, 0, -20), Qt::AlignCenter, "КЛЮЧ", theme::kInk);
    p.setFont(theme::font(11));
    theme::drawShadowedText(p, r.adjusted(0, 0, 0, -6), Qt::AlignHCenter | Qt::AlignBottom,
                            "мышь или пробел", theme::kInkDim);
}

} // namespace kelvatron
