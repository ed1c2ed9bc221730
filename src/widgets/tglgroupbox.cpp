#include "widgets/tglgroupbox.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace kelvatron {

TglGroupBox::TglGroupBox(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);
}

void TglGroupBox::setCaption(const QString& caption) {
    caption_ = caption;
    setAccessibleName(caption.trimmed());
    update();
}

void TglGroupBox::setFlat(bool flat) {
    flat_ = flat;
    update();
}

void TglGroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient body(r.topLeft(), r.bottomRight());
    body.setColorAt(0, QColor(24, 72, 64, 235));
    body.setColorAt(1, QColor(16, 28, 72, 235));
    p.setBrush(body);
    p.setPen(QPen(QColor(150, 210, 170, flat_ ? 60 : 180), 1));
    p.drawRoundedRect(r, flat_ ? 0 : 6, flat_ ? 0 : 6);
    if (flat_ || caption_.isEmpty()) return;
    QRectF band(r.left() + 1, r.top() + 1, r.width() - 2, 20);
    QLinearGradient g(band.topLeft(), band.topRight());
    g.setColorAt(0, QColor(0, 159, 0));
    g.setColorAt(1, QColor(0, 0, 128));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(band, 5, 5);
    p.setPen(Qt::white);
    p.drawText(band.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

void TglGroupBox::mousePressEvent(QMouseEvent* e) {
    emit mousePressed();
    if (!draggable_) return QWidget::mousePressEvent(e);
    dragging_ = true;
    grab_ = e->position().toPoint();
    raise();
}

void TglGroupBox::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return QWidget::mouseMoveEvent(e);
    QPoint target = mapToParent(e->position().toPoint()) - grab_;
    if (parentWidget()) {
        QRect area = parentWidget()->rect();
        target.setX(std::clamp(target.x(), area.left() - width() + 40, area.right() - 40));
        target.setY(std::clamp(target.y(), area.top(), area.bottom() - 30));
    }
    move(target);
}

void TglGroupBox::mouseReleaseEvent(QMouseEvent* e) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(e);
}

} // namespace kelvatron
