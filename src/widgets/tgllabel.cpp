#include "widgets/tgllabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kelvatron {

TglLabel::TglLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    updateAccessibility();
}

void TglLabel::setCaption(const QString& caption) {
    caption_ = caption;
    updateAccessibility();
    update();
}

void TglLabel::setClickable(bool clickable) {
    clickable_ = clickable;
    setFocusPolicy(clickable ? Qt::StrongFocus : Qt::NoFocus);
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
    return QSize(fm.horizontalAdvance(caption_) + 6, fm.height() + 4);
}

void TglLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRect r = rect().adjusted(1, 0, -1, 0);
    if (clickable_ && isEnabled() && (hovered_ || hasFocus())) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, pressed_ ? 90 : 50));
        p.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 4, 4);
    }
    if (shadowed_ || clickable_) {
        p.setPen(QColor(0, 0, 0, 150));
        p.drawText(r.translated(2, 2), int(alignment_), caption_);
    }
    QColor c = isEnabled() ? color_ : QColor(160, 160, 160);
    if (clickable_ && isEnabled() && hovered_) c = QColor(255, 236, 120);
    p.setPen(c);
    p.drawText(r, int(alignment_), caption_);
}

void TglLabel::mousePressEvent(QMouseEvent* e) {
    if (!clickable_) return QWidget::mousePressEvent(e);
    pressed_ = true;
    update();
}

void TglLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (!clickable_) return QWidget::mouseReleaseEvent(e);
    bool inside = rect().contains(e->position().toPoint());
    pressed_ = false;
    update();
    if (inside) click();
}

void TglLabel::keyPressEvent(QKeyEvent* e) {
    if (clickable_ && (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TglLabel::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void TglLabel::leaveEvent(QEvent*) {
    hovered_ = false;
    pressed_ = false;
    update();
}

} // namespace kelvatron
