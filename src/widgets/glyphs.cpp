#include "widgets/glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "widgets/theme.h"

namespace kelvatron {

namespace {

// A square on whole pixels in the middle of box, so straight edges land on pixel edges.
QRectF centredSquare(const QRectF& box, qreal share) {
    const qreal side = std::round(std::min(box.width(), box.height()) * share);
    const qreal x = std::round(box.center().x() - side / 2);
    const qreal y = std::round(box.center().y() - side / 2);
    return QRectF(x, y, side, side);
}

void drawPlay(QPainter& p, const QRectF& r) {
    // Shifted right a little: a triangle's weight sits left of its box's middle.
    const qreal shift = r.width() * 0.1;
    p.drawPolygon(
        QPolygonF({QPointF(r.left() + shift, r.top()), QPointF(r.right() + shift, r.center().y()),
                   QPointF(r.left() + shift, r.bottom())}));
}

void drawPause(QPainter& p, const QRectF& r) {
    const qreal bar = std::round(r.width() * 0.34);
    p.drawRect(QRectF(r.left(), r.top(), bar, r.height()));
    p.drawRect(QRectF(r.right() - bar, r.top(), bar, r.height()));
}

void drawPlusMinus(QPainter& p, const QRectF& r, bool plus) {
    const qreal t = std::max<qreal>(2, std::round(r.width() * 0.24));
    const qreal mid = std::round(r.center().y() - t / 2);
    p.drawRect(QRectF(r.left(), mid, r.width(), t));
    if (plus) p.drawRect(QRectF(std::round(r.center().x() - t / 2), r.top(), t, r.height()));
}

void drawChevron(QPainter& p, const QRectF& r, bool right, const QColor& ink) {
    QPen pen(ink, std::max<qreal>(2, r.width() * 0.22), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal near = right ? r.left() + r.width() * 0.3 : r.right() - r.width() * 0.3;
    const qreal far = right ? r.right() - r.width() * 0.1 : r.left() + r.width() * 0.1;
    const qreal back = right ? -r.width() * 0.38 : r.width() * 0.38;
    p.drawPolyline(QPolygonF(
        {QPointF(near, r.top()), QPointF(far, r.center().y()), QPointF(near, r.bottom())}));
    p.drawPolyline(QPolygonF({QPointF(near + back, r.top()), QPointF(far + back, r.center().y()),
                              QPointF(near + back, r.bottom())}));
}

void drawCross(QPainter& p, const QRectF& r, const QColor& ink) {
    p.setPen(QPen(ink, std::max<qreal>(1.6, r.width() * 0.24), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void drawLetter(QPainter& p, const QRectF& box, const QString& letter, const QColor& ink) {
    p.setFont(theme::font(int(box.height() * 0.62), true));
    p.setPen(ink);
    p.drawText(box.translated(0, 0.5), Qt::AlignCenter, letter);
}

void drawSpeaker(QPainter& p, const QRectF& box, const QColor& ink) {
    const qreal h = std::round(box.height() * 0.56);
    const QRectF r(std::round(box.center().x() - h * 0.8), std::round(box.center().y() - h / 2),
                   h * 1.6, h);
    QPainterPath cone;
    cone.moveTo(r.left(), r.top() + h * 0.32);
    cone.lineTo(r.left() + h * 0.3, r.top() + h * 0.32);
    cone.lineTo(r.left() + h * 0.7, r.top());
    cone.lineTo(r.left() + h * 0.7, r.bottom());
    cone.lineTo(r.left() + h * 0.3, r.top() + h * 0.68);
    cone.lineTo(r.left(), r.top() + h * 0.68);
    cone.closeSubpath();
    p.setPen(QPen(ink, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(cone);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, std::max<qreal>(1.6, h * 0.11), Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 3; ++i) {
        const qreal radius = h * 0.2 * i + h * 0.05;
        const QPointF c(r.left() + h * 0.72, r.center().y());
        p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), -45 * 16,
                  90 * 16);
    }
}

} // namespace

QString shownSigns(QString signs) {
    return signs.replace(QLatin1Char('3'), QChar(kShownThree));
}

void drawGlyph(QPainter& p, GlyphKind kind, const QRectF& box, bool active) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = active ? QColor(24, 36, 20) : theme::kInk;
    const QRectF r = centredSquare(box, 0.44);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (kind) {
    case GlyphKind::None:
        break;
    case GlyphKind::Play:
        drawPlay(p, r);
        break;
    case GlyphKind::Pause:
        drawPause(p, r);
        break;
    case GlyphKind::Stop:
        p.drawRoundedRect(r, 1.5, 1.5);
        break;
    case GlyphKind::Plus:
        drawPlusMinus(p, r, true);
        break;
    case GlyphKind::Minus:
        drawPlusMinus(p, r, false);
        break;
    case GlyphKind::Left:
        drawChevron(p, r, false, ink);
        break;
    case GlyphKind::Right:
        drawChevron(p, r, true, ink);
        break;
    case GlyphKind::Close:
        drawCross(p, centredSquare(box, 0.4), ink);
        break;
    case GlyphKind::Minimise: {
        const QRectF m = centredSquare(box, 0.46);
        p.drawRect(QRectF(m.left(), m.bottom() - 2, m.width(), 2));
        break;
    }
    case GlyphKind::Cyrillic:
        drawLetter(p, box, QStringLiteral("Я"), ink);
        break;
    case GlyphKind::Latin:
        drawLetter(p, box, QStringLiteral("R"), ink);
        break;
    case GlyphKind::Speaker:
        drawSpeaker(p, box, ink);
        break;
    }
    p.restore();
}

} // namespace kelvatron
