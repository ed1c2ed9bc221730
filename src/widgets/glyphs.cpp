#include "widgets/glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace kelvatron {

namespace {
QPolygonF triangle(const QRectF& r, bool right) {
    if (right) return QPolygonF({r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft()});
    return QPolygonF({r.topRight(), QPointF(r.left(), r.center().y()), r.bottomRight()});
}

void drawLetter(QPainter& p, const QRectF& r, const QString& letter) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(r.height() * 0.9));
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, letter);
}
} // namespace

void drawGlyph(QPainter& p, GlyphKind kind, const QRectF& box, bool active) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QColor ink = active ? QColor(20, 40, 20) : QColor(245, 245, 245);
    QRectF r = box.adjusted(box.width() * 0.25, box.height() * 0.25, -box.width() * 0.25,
                            -box.height() * 0.25);
    qreal w = r.width();
    p.setPen(QPen(ink, std::max<qreal>(1.5, w / 6), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(ink);
    switch (kind) {
    case GlyphKind::None: break;
    case GlyphKind::Play: p.drawPolygon(triangle(r, true)); break;
    case GlyphKind::Pause:
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(r.left(), r.top(), w * 0.35, r.height()));
        p.drawRect(QRectF(r.right() - w * 0.35, r.top(), w * 0.35, r.height()));
        break;
    case GlyphKind::Stop: p.setPen(Qt::NoPen); p.drawRect(r); break;
    case GlyphKind::Plus:
        p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
        [[fallthrough]];
    case GlyphKind::Minus:
    case GlyphKind::Minimise:
        p.drawLine(QPointF(r.left(), kind == GlyphKind::Minimise ? r.bottom() : r.center().y()),
                   QPointF(r.right(), kind == GlyphKind::Minimise ? r.bottom() : r.center().y()));
        break;
    case GlyphKind::Left: p.drawPolygon(triangle(r, false)); break;
    case GlyphKind::Right: p.drawPolygon(triangle(r, true)); break;
    case GlyphKind::Close:
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    case GlyphKind::Cyrillic: p.setPen(ink); drawLetter(p, box, QStringLiteral("Я")); break;
    case GlyphKind::Latin: p.setPen(ink); drawLetter(p, box, QStringLiteral("R")); break;
    case GlyphKind::Speaker: {
        QPainterPath path;
        path.moveTo(r.left(), r.top() + r.height() * 0.35);
        path.lineTo(r.left() + w * 0.3, r.top() + r.height() * 0.35);
        path.lineTo(r.left() + w * 0.6, r.top());
        path.lineTo(r.left() + w * 0.6, r.bottom());
        path.lineTo(r.left() + w * 0.3, r.top() + r.height() * 0.65);
        path.lineTo(r.left(), r.top() + r.height() * 0.65);
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.drawPath(path);
        p.setPen(QPen(ink, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.left() + w * 0.5, r.top() + r.height() * 0.2, w * 0.5, r.height() * 0.6), -60 * 16, 120 * 16);
        break;
    }
    }
    p.restore();
}

} // namespace kelvatron
