#include "widgets/tgllabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "widgets/theme.h"

namespace kelvatron {

TglLabel::TglLabel(QWidget* parent) : TglPressable(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFont(theme::font(13));
    updateAccessibility();
}

void TglLabel::setCaption(const QString& caption) {
    caption_ = caption;
    updateAccessibility();
    update();
}

void TglLabel::setClickable(bool clickable) {
    clickable_ = clickable;
    // Reached by Tab; a mouse click leaves the focus where it was.
    setFocusPolicy(clickable ? Qt::TabFocus : Qt::NoFocus);
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    updateAccessibility();
}

void TglLabel::setShadowed(bool shadowed) {
    shadowed_ = shadowed;
    update();
}

void TglLabel::setTextColor(const QColor& color) {
    color_ = color;
    update();
}

void TglLabel::setPixelSize(int pixels) {
    QFont f = font();
    f.setPixelSize(pixels);
    setFont(f);
    update();
}

void TglLabel::setBold(bool bold) {
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    update();
}

void TglLabel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TglLabel::updateAccessibility() {
    setAccessibleName(caption_.isEmpty() ? toolTip() : caption_);
}

void TglLabel::click() {
    if (isEnabled()) emit clicked();
}

QSize TglLabel::sizeHint() const {
    QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(caption_) + leftInset() + 4, fm.height() + 4);
}

int TglLabel::leftInset() const {
    // A command's plate reaches past its text on both sides, so left-aligned commands keep
    // room for it.
    return clickable_ && (alignment_ & Qt::AlignLeft) ? 8 : 2;
}

QRectF TglLabel::textArea() const { return QRectF(rect().adjusted(leftInset(), 0, -2, 0)); }

void TglLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = textArea();
    const bool live = clickable_ && isEnabled() && !caption_.isEmpty();
    if (live && (hovered_ || theme::showsFocus(this) || pressed_)) {
        // A soft plate behind a command under the mouse, deeper while it is pressed.
        const QRectF text = QFontMetricsF(font()).boundingRect(area, int(alignment_), caption_);
        const QRectF plate =
            text.adjusted(-7, -2, 7, 2).intersected(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(QPen(QColor(255, 255, 255, theme::showsFocus(this) ? 140 : 70), 1));
        p.setBrush(QColor(255, 255, 255, pressed_ ? 72 : 34));
        p.drawRoundedRect(plate, 5, 5);
    }
    QColor ink = isEnabled() ? color_ : theme::kInkDisabled;
    if (live && (hovered_ || pressed_)) ink = theme::kHighlight;
    const QRectF r = area.translated(pressed_ ? 1 : 0, pressed_ ? 1 : 0);
    if (shadowed_ || clickable_) {
        const qreal depth = std::clamp(font().pixelSize() / 12.0, 1.0, 2.0);
        theme::drawShadowedText(p, r, int(alignment_), caption_, ink, depth);
    } else {
        p.setPen(ink);
        p.drawText(r, int(alignment_), caption_);
    }
}

void TglLabel::mousePressEvent(QMouseEvent* e) {
    if (!clickable_) return TglPressable::mousePressEvent(e);
    pressed_ = true;
    update();
}

void TglLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (!clickable_) return TglPressable::mouseReleaseEvent(e);
    if (!pressed_ || !rect().contains(e->position().toPoint())) {
        pressed_ = false;
        update();
        return;
    }
    // A key stays lit while its sign sounds: the handler blocks, so paint before it runs.
    repaint();
    QPointer<TglLabel> self(this);
    click();
    if (!self) return;
    pressed_ = false;
    update();
}

void TglLabel::keyPressEvent(QKeyEvent* e) {
    if (clickable_ && isActivationKey(e)) {
        click();
        return;
    }
    TglPressable::keyPressEvent(e);
}

} // namespace kelvatron
