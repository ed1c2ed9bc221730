#include "widgets/tglcheckbox.h"

#include <QPainter>

#include "widgets/buttonkeys.h"
#include "widgets/theme.h"

namespace kelvatron {

TglCheckBox::TglCheckBox(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(theme::font(13, true));
}

void TglCheckBox::setCaption(const QString& caption) {
    setText(caption);
    updateAccessibility();
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
    update();
}

// An image button is named by its hint; an option by its caption, the hint describing it.
void TglCheckBox::updateAccessibility() {
    const QString caption = text().trimmed();
    setAccessibleName(caption.isEmpty() ? toolTip() : caption);
    if (!toolTip().isEmpty() && !caption.isEmpty()) setAccessibleDescription(toolTip());
}

QSize TglCheckBox::sizeHint() const {
    QFontMetrics fm(font());
    const int box = 17;
    return QSize(box + (text().isEmpty() ? 0 : fm.horizontalAdvance(text()) + 8),
                 std::max(box, fm.height()) + 4);
}

bool TglCheckBox::isLit() const {
    // A push button's state means nothing, except the start button's, which stays down while
    // a transmission runs.
    return isChecked() && (!pushButton_ || glyph_ == GlyphKind::Play);
}

bool TglCheckBox::isHovered() const {
    return isEnabled() && underMouse();
}

// Space is the button's own; Enter activates it too, as it does every command of the window.
void TglCheckBox::keyPressEvent(QKeyEvent* e) {
    if (clickOnEnter(this, e)) return;
    QAbstractButton::keyPressEvent(e);
}

void TglCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (text().isEmpty())
        paintImageButton(p);
    else
        paintOption(p);
}

QLinearGradient TglCheckBox::faceColours(const QRectF& box) const {
    QColor top = theme::kButtonTop, bottom = theme::kButtonBottom;
    if (!isEnabled()) {
        top = theme::kDisabledTop;
        bottom = theme::kDisabledBottom;
    } else if (gradientActive_) {
        top = theme::kActiveTop;
        bottom = theme::kActiveBottom;
    } else if (isLit()) {
        top = theme::kLitTop;
        bottom = theme::kLitBottom;
    }
    if (isHovered() && !isDown()) {
        top = top.lighter(132);
        bottom = bottom.lighter(140);
    }
    if (isDown()) {
        top = top.darker(135);
        bottom = bottom.darker(120);
    }
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void TglCheckBox::paintImageButton(QPainter& p) {
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QLinearGradient face = faceColours(box);
    const bool down = isDown();
    theme::drawButtonFace(p, box, face.stops().front().second, face.stops().back().second, 4, down);
    // A light inner edge; under the mouse it brightens into a rim.
    const bool hover = isHovered() && !down;
    p.setPen(QPen(QColor(255, 255, 255, down ? 30 : hover ? 190 : 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);

    const bool darkInk = isEnabled() && (gradientActive_ || isLit());
    p.setOpacity(isEnabled() ? 1.0 : 0.55);
    drawGlyph(p, glyph_, QRectF(rect()).translated(down ? 0.5 : 0, down ? 1 : 0), darkInk);
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
    if (isChecked()) {
        g.setColorAt(0, isEnabled() ? theme::kLitTop : QColor(120, 140, 120));
        g.setColorAt(1, isEnabled() ? theme::kLitBottom : QColor(70, 90, 72));
    } else {
        g.setColorAt(0, QColor(6, 16, 30));
        g.setColorAt(1, QColor(34, 58, 84));
    }
    const bool lively = isHovered() || (isEnabled() && theme::showsFocus(this));
    p.setPen(QPen(lively ? theme::kHighlight : QColor(160, 200, 224, isEnabled() ? 200 : 90),
                  theme::showsFocus(this) ? 1.5 : 1));
    p.setBrush(g);
    p.drawRoundedRect(box, 3, 3);
    if (isChecked()) {
        QPolygonF tick({QPointF(box.left() + side * 0.2, box.top() + side * 0.5),
                        QPointF(box.left() + side * 0.42, box.top() + side * 0.72),
                        QPointF(box.left() + side * 0.8, box.top() + side * 0.24)});
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 60, 10, 160), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(tick);
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(tick);
    }
    QColor ink =
        !isEnabled() ? theme::kInkDisabled : (underMouse() ? theme::kHighlight : theme::kInk);
    const QRectF area(box.right() + 3, 0, width() - box.right() - 3, height());
    theme::drawShadowedText(p, area, Qt::AlignLeft | Qt::AlignVCenter, text(), ink, 1);
}

} // namespace kelvatron
