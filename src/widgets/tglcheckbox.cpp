#include "widgets/tglcheckbox.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/theme.h"

namespace kelvatron {

TglCheckBox::TglCheckBox(QWidget* parent) : TglPressable(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(theme::font(13, true));
}

void TglCheckBox::setChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    updateAccessibility();
    update();
}

void TglCheckBox::setCaption(const QString& caption) {
    caption_ = caption;
    updateAccessibility();
    update();
}

void TglCheckBox::setHint(const QString& hint) {
    setToolTip(hint);
    updateAccessibility();
}

void TglCheckBox::setGradientActive(bool active) {
    gradientActive_ = active;
    update();
}

void TglCheckBox::setGlyph(Glyph glyph) {
    glyph_ = glyph;
    update();
}

void TglCheckBox::setPushButton(bool push) {
    pushButton_ = push;
    updateAccessibility();
    update();
}

void TglCheckBox::updateAccessibility() {
    setAccessibleName(caption_.trimmed().isEmpty() ? toolTip() : caption_.trimmed());
    if (!toolTip().isEmpty() && !caption_.trimmed().isEmpty()) setAccessibleDescription(toolTip());
}

void TglCheckBox::click() {
    if (!isEnabled()) return;
    checked_ = !checked_;
    updateAccessibility();
    update();
    emit clicked();
}

QSize TglCheckBox::sizeHint() const {
    QFontMetrics fm(font());
    const int box = 17;
    return QSize(box + (caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_) + 8),
                 std::max(box, fm.height()) + 4);
}

bool TglCheckBox::isLit() const {
    // A push button's state means nothing, except the start button's, which stays down while
    // a transmission runs.
    return checked_ && (!pushButton_ || glyph_ == GlyphKind::Play);
}

void TglCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (caption_.isEmpty())
        paintImageButton(p);
    else
        paintOption(p);
}

QLinearGradient TglCheckBox::faceGradient(const QRectF& box) const {
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    QColor top(74, 128, 160), bottom(18, 42, 82);
    if (!isEnabled()) {
        top = QColor(96, 104, 112);
        bottom = QColor(54, 60, 68);
    } else if (gradientActive_) {
        top = theme::kActiveTop;
        bottom = theme::kActiveBottom;
    } else if (isLit()) {
        top = theme::kLitTop;
        bottom = theme::kLitBottom;
    }
    if (isEnabled() && hovered_ && !pressed_) {
        top = top.lighter(132);
        bottom = bottom.lighter(140);
    }
    if (pressed_) {
        top = top.darker(135);
        bottom = bottom.darker(120);
    }
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void TglCheckBox::paintImageButton(QPainter& p) {
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(0, 0, 0, 170), 1));
    p.setBrush(faceGradient(box));
    p.drawRoundedRect(box, 4, 4);
    // The gloss of the upper half and a light inner edge give the button its relief.
    if (!pressed_) {
        QLinearGradient gloss(box.topLeft(), box.bottomLeft());
        gloss.setColorAt(0, QColor(255, 255, 255, 110));
        gloss.setColorAt(0.5, QColor(255, 255, 255, 20));
        gloss.setColorAt(0.51, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);
    }
    // A light inner edge; under the mouse it brightens into a rim.
    const bool hover = isEnabled() && hovered_ && !pressed_;
    p.setPen(QPen(QColor(255, 255, 255, pressed_ ? 30 : hover ? 190 : 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);

    const bool darkInk = isEnabled() && (gradientActive_ || isLit());
    p.setOpacity(isEnabled() ? 1.0 : 0.55);
    drawGlyph(p, glyph_, QRectF(rect()).translated(pressed_ ? 0.5 : 0, pressed_ ? 1 : 0), darkInk);
    p.setOpacity(1.0);
    if (theme::showsFocus(this)) {
        p.setPen(QPen(theme::kHighlight, 1.5));
        p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
}

void TglCheckBox::paintOption(QPainter& p) {
    const qreal side = std::min(height() - 4, 17);
    const QRectF box(1.5, std::round((height() - side) / 2) + 0.5, side - 1, side - 1);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    if (checked_) {
        g.setColorAt(0, isEnabled() ? theme::kLitTop : QColor(120, 140, 120));
        g.setColorAt(1, isEnabled() ? theme::kLitBottom : QColor(70, 90, 72));
    } else {
        g.setColorAt(0, QColor(6, 16, 30));
        g.setColorAt(1, QColor(34, 58, 84));
    }
    const bool lively = isEnabled() && (hovered_ || theme::showsFocus(this));
    p.setPen(QPen(lively ? theme::kHighlight : QColor(160, 200, 224, isEnabled() ? 200 : 90),
                  theme::showsFocus(this) ? 1.5 : 1));
    p.setBrush(g);
    p.drawRoundedRect(box, 3, 3);
    if (checked_) {
        QPolygonF tick({QPointF(box.left() + side * 0.2, box.top() + side * 0.5),
                        QPointF(box.left() + side * 0.42, box.top() + side * 0.72),
                        QPointF(box.left() + side * 0.8, box.top() + side * 0.24)});
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 60, 10, 160), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(tick);
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(tick);
    }
    QColor ink = !isEnabled() ? theme::kInkDisabled : (hovered_ ? theme::kHighlight : theme::kInk);
    const QRectF text(box.right() + 3, 0, width() - box.right() - 3, height());
    theme::drawShadowedText(p, text, Qt::AlignLeft | Qt::AlignVCenter, caption_, ink, 1);
}

void TglCheckBox::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return TglPressable::mousePressEvent(e);
    pressed_ = true;
    update();
}

void TglCheckBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return TglPressable::mouseReleaseEvent(e);
    bool inside = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    update();
    if (inside) click();
}

void TglCheckBox::keyPressEvent(QKeyEvent* e) {
    if (isActivationKey(e)) {
        click();
        return;
    }
    TglPressable::keyPressEvent(e);
}

} // namespace kelvatron
