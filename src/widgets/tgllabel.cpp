#include "widgets/tgllabel.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "widgets/buttonkeys.h"
#include "widgets/glyphs.h"
#include "widgets/theme.h"

namespace kelvatron {

TglLabel::TglLabel(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_Hover);
    setFont(theme::font(13));
    setClickable(false);
}

void TglLabel::setCaption(const QString& caption) {
    setText(caption);
    updateAccessibility();
}

void TglLabel::setClickable(bool clickable) {
    if (clickable != clickable_) {
        // A command is announced as a button, a plain label as text: the screen reader's
        // interface for the label is made afresh.
        QAccessible::deleteAccessibleInterface(
            QAccessible::uniqueId(QAccessible::queryAccessibleInterface(this)));
    }
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

void TglLabel::setShowsSign(bool showsSign) {
    showsSign_ = showsSign;
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
    setAccessibleName(text().isEmpty() ? toolTip() : text());
}

QSize TglLabel::sizeHint() const {
    QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(text()) + leftInset() + 4, fm.height() + 4);
}

int TglLabel::leftInset() const {
    // A command's plate reaches past its text on both sides, so left-aligned commands keep
    // room for it.
    return clickable_ && (alignment_ & Qt::AlignLeft) ? 8 : 2;
}

QRectF TglLabel::textArea() const {
    return QRectF(rect().adjusted(leftInset(), 0, -2, 0));
}

bool TglLabel::hitButton(const QPoint& pos) const {
    return clickable_ && QAbstractButton::hitButton(pos);
}

void TglLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = textArea();
    const QString shown = showsSign_ ? shownSigns(text()) : text();
    const bool live = clickable_ && isEnabled() && !text().isEmpty();
    const bool down = isDown() || sounding_;
    const bool hovered = underMouse();
    if (live && (hovered || theme::showsFocus(this) || down)) {
        // A soft plate behind a command under the mouse, deeper while it is pressed.
        const QRectF bounds = QFontMetricsF(font()).boundingRect(area, int(alignment_), shown);
        const QRectF plate = bounds.adjusted(-7, -2, 7, 2)
                                 .intersected(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(QPen(QColor(255, 255, 255, theme::showsFocus(this) ? 140 : 70), 1));
        p.setBrush(QColor(255, 255, 255, down ? 72 : 34));
        p.drawRoundedRect(plate, 5, 5);
    }
    QColor ink = isEnabled() ? color_ : theme::kInkDisabled;
    if (live && (hovered || down)) ink = theme::kHighlight;
    const QRectF r = area.translated(down ? 1 : 0, down ? 1 : 0);
    if (shadowed_ || clickable_) {
        const qreal depth = std::clamp(font().pixelSize() / 12.0, 1.0, 2.0);
        theme::drawShadowedText(p, r, int(alignment_), shown, ink, depth);
    } else {
        p.setPen(ink);
        p.drawText(r, int(alignment_), shown);
    }
}

// A plain label lets the press through to the panel under it (which may drag the window).
void TglLabel::mousePressEvent(QMouseEvent* e) {
    if (!clickable_) return e->ignore();
    QAbstractButton::mousePressEvent(e);
}

void TglLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (!clickable_) return e->ignore();
    // The handler blocks while its sign sounds, so the key is painted lit before it runs.
    const bool clicks = isDown() && hitButton(e->position().toPoint());
    if (clicks) {
        sounding_ = true;
        repaint();
    }
    QPointer<TglLabel> self(this);
    QAbstractButton::mouseReleaseEvent(e);
    if (!self || !clicks) return;
    sounding_ = false;
    update();
}

// Space is the button's own; Enter activates a command too.
void TglLabel::keyPressEvent(QKeyEvent* e) {
    if (!clickable_) return QWidget::keyPressEvent(e);
    if (clickOnEnter(this, e)) return;
    QAbstractButton::keyPressEvent(e);
}

} // namespace kelvatron
