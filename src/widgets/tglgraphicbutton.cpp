#include "widgets/tglgraphicbutton.h"

#include <QMouseEvent>
#include <QPainter>

#include "widgets/buttonkeys.h"
#include "widgets/theme.h"

namespace kelvatron {

TglGraphicButton::TglGraphicButton(GlyphKind glyph, QWidget* parent)
    : QAbstractButton(parent), glyph_(glyph) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    // The button paints itself down before pressed() runs the handler (the sound test keys
    // while the button is held).
    connect(this, &QAbstractButton::pressed, this, &TglGraphicButton::mouseDown);
}

void TglGraphicButton::setHint(const QString& hint) {
    setToolTip(hint);
    setAccessibleName(hint);
}

void TglGraphicButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool close = glyph_ == GlyphKind::Close;
    const bool down = isDown();
    QColor top = close ? QColor(232, 104, 84) : QColor(84, 140, 172);
    QColor bottom = close ? QColor(156, 28, 18) : QColor(20, 46, 88);
    if (!isEnabled()) {
        top = theme::kDisabledTop;
        bottom = theme::kDisabledBottom;
    } else if (underMouse() && !down) {
        top = top.lighter(118);
        bottom = bottom.lighter(130);
    }
    if (down) {
        top = top.darker(140);
        bottom = bottom.darker(115);
    }
    const qreal radius = std::min(r.height() / 4, 5.0);
    theme::drawButtonFace(p, r, top, bottom, radius, down);
    drawGlyph(p, glyph_, QRectF(rect()).translated(0, down ? 1 : 0), false);
    if (theme::showsFocus(this)) {
        p.setPen(QPen(theme::kHighlight, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
}

// Every press is taken here, so none reaches the title strip under the button and starts a
// window drag that would swallow the release.
void TglGraphicButton::mousePressEvent(QMouseEvent* e) {
    QAbstractButton::mousePressEvent(e);
    e->accept();
}

void TglGraphicButton::keyPressEvent(QKeyEvent* e) {
    if (clickOnEnter(this, e)) return;
    QAbstractButton::keyPressEvent(e);
}

} // namespace kelvatron
