#include "widgets/tglcheckbox.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace kelvatron {

TglCheckBox::TglCheckBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
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
    int box = 18;
    return QSize(box + (caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_) + 6), std::max(box, fm.height()) + 4);
}

void TglCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    bool iconOnly = caption_.isEmpty();
    int side = iconOnly ? std::min(width(), height()) - 1 : std::min(height() - 2, 18);
    QRectF box(0.5, (height() - side) / 2.0, side, side);

    QLinearGradient g(box.topLeft(), box.bottomLeft());
    if (gradientActive_) {
        g.setColorAt(0, QColor(255, 244, 140));
        g.setColorAt(1, QColor(230, 180, 20));
    } else if (pressed_ || (pushButton_ && checked_ && glyph_ == GlyphKind::Play)) {
        g.setColorAt(0, QColor(40, 90, 60));
        g.setColorAt(1, QColor(20, 50, 40));
    } else {
        g.setColorAt(0, hovered_ ? QColor(110, 170, 120) : QColor(80, 140, 100));
        g.setColorAt(1, hovered_ ? QColor(40, 80, 110) : QColor(30, 60, 90));
    }
    p.setBrush(g);
    p.setPen(QPen(hasFocus() ? QColor(255, 236, 120) : QColor(10, 30, 20), hasFocus() ? 2 : 1));
    p.drawRoundedRect(box, 3, 3);

    if (glyph_ != GlyphKind::None) {
        bool lit = gradientActive_ || (!pushButton_ && checked_);
        drawGlyph(p, glyph_, box, gradientActive_);
        if (lit && !gradientActive_) {
            p.setPen(QPen(QColor(255, 236, 120), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);
        }
    } else if (!pushButton_ && checked_) {
        p.setPen(QPen(QColor(255, 236, 120), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPolygonF tick({QPointF(box.left() + side * 0.22, box.top() + side * 0.52),
                        QPointF(box.left() + side * 0.42, box.top() + side * 0.74),
                        QPointF(box.left() + side * 0.8, box.top() + side * 0.26)});
        p.drawPolyline(tick);
    }

    if (!iconOnly) {
        p.setPen(isEnabled() ? Qt::white : QColor(170, 170, 170));
        QRectF text(box.right() + 2, 0, width() - box.right() - 2, height());
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, caption_);
    }
}

void TglCheckBox::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    pressed_ = true;
    update();
}

void TglCheckBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(e);
    bool inside = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    update();
    if (inside) click();
}

void TglCheckBox::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TglCheckBox::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void TglCheckBox::leaveEvent(QEvent*) {
    hovered_ = false;
    pressed_ = false;
    update();
}

} // namespace kelvatron
