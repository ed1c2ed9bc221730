#include "widgets/tglgroupbox.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "widgets/theme.h"

namespace kelvatron {

namespace {

constexpr qreal kRadius = 6;
constexpr qreal kBand = 20; // the caption band's height

void paintFlat(QPainter& p, const QRectF& r) {
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0, QColor(26, 40, 64));
    body.setColorAt(1, QColor(8, 14, 32));
    p.fillRect(r, body);
    p.setPen(QColor(0, 0, 0, 180));
    p.drawLine(r.topLeft(), r.topRight());
    p.setPen(QColor(255, 255, 255, 60));
    p.drawLine(r.topLeft() + QPointF(0, 1), r.topRight() + QPointF(0, 1));
}

void paintBand(QPainter& p, const QRectF& band, const QString& caption) {
    QLinearGradient colour(band.topLeft(), band.topRight());
    colour.setColorAt(0, theme::kGreen.lighter(115));
    colour.setColorAt(1, theme::kNavy.lighter(150));
    p.fillRect(band, colour);
    // The gloss of a rounded bar: bright above its middle, none below.
    QLinearGradient gloss(band.topLeft(), band.bottomLeft());
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 25));
    gloss.setColorAt(0.51, QColor(255, 255, 255, 0));
    p.fillRect(band, gloss);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawLine(band.bottomLeft(), band.bottomRight());
    theme::drawShadowedText(p, band.adjusted(4, 0, -24, 0), Qt::AlignLeft | Qt::AlignVCenter,
                            caption, theme::kInk, 1);
}

} // namespace

TglGroupBox::TglGroupBox(QWidget* parent) : QWidget(parent) {
    setFont(theme::font(13, true));
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
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (flat_) return paintFlat(p, QRectF(rect()));

    QPainterPath shape;
    shape.addRoundedRect(outer, kRadius, kRadius);
    QLinearGradient body(outer.topLeft(), outer.bottomLeft());
    body.setColorAt(0, theme::kPanelTop);
    body.setColorAt(1, theme::kPanelBottom);
    p.fillPath(shape, body);

    if (!caption_.isEmpty()) {
        p.save();
        p.setClipPath(shape);
        paintBand(p, QRectF(outer.left(), outer.top(), outer.width(), kBand), caption_);
        p.restore();
    }
    // A dark outer edge and a light inner one make the panel stand off the background.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(theme::kShade, 1));
    p.drawPath(shape);
    p.setPen(QPen(theme::kPanelEdge, 1));
    p.drawRoundedRect(outer.adjusted(1, 1, -1, -1), kRadius - 1, kRadius - 1);
}

void TglGroupBox::mousePressEvent(QMouseEvent* e) {
    emit mousePressed();
    if (!draggable_) return QWidget::mousePressEvent(e);
    dragging_ = true;
    grab_ = e->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
    raise();
}

void TglGroupBox::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return QWidget::mouseMoveEvent(e);
    QPoint target = mapToParent(e->position().toPoint()) - grab_;
    if (parentWidget()) {
        // Part of the panel always stays inside the window, so it can be dragged back.
        QRect area = parentWidget()->rect();
        target.setX(std::clamp(target.x(), area.left() - width() + 40, area.right() - 40));
        target.setY(std::clamp(target.y(), area.top(), area.bottom() - 30));
    }
    move(target);
}

void TglGroupBox::mouseReleaseEvent(QMouseEvent* e) {
    dragging_ = false;
    unsetCursor();
    QWidget::mouseReleaseEvent(e);
}

} // namespace kelvatron
