#include "widgets/sevensegment.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace kelvatron {

namespace {

constexpr qreal kAspect = 0.56;   // cell width to height
constexpr qreal kNarrow = 0.38;   // a '.' or ':' cell, as a share of a full one
constexpr qreal kSpacing = 0.24;  // gap after a full cell, as a share of its width
constexpr qreal kThickness = 0.2; // segment thickness, as a share of the cell width
constexpr qreal kSlant = 0.09;    // the forward lean of the digits

bool isNarrow(QChar c) {
    return c == u'.' || c == u':';
}
bool isShown(QChar c) {
    return isNarrow(c) || c.isDigit() || c == u'-' || c == u' ' || c.toUpper() == u'E';
}

// A bar with pointed ends between two points on one horizontal or vertical line.
QPainterPath bar(QPointF from, QPointF to, qreal t) {
    const qreal h = t / 2;
    QPainterPath path;
    if (from.y() == to.y()) {
        path.moveTo(from);
        path.lineTo(from.x() + h, from.y() - h);
        path.lineTo(to.x() - h, to.y() - h);
        path.lineTo(to);
        path.lineTo(to.x() - h, to.y() + h);
        path.lineTo(from.x() + h, from.y() + h);
    } else {
        path.moveTo(from);
        path.lineTo(from.x() + h, from.y() + h);
        path.lineTo(to.x() + h, to.y() - h);
        path.lineTo(to);
        path.lineTo(to.x() - h, to.y() - h);
        path.lineTo(from.x() - h, from.y() + h);
    }
    path.closeSubpath();
    return path;
}

std::array<QPainterPath, 7> cellSegments(const QRectF& cell, qreal t) {
    const qreal gap = t * 0.18;
    const qreal l = cell.left() + t / 2, r = cell.right() - t / 2;
    const qreal top = cell.top() + t / 2, mid = cell.center().y(), bottom = cell.bottom() - t / 2;
    return {bar({l + gap, top}, {r - gap, top}, t),    bar({r, top + gap}, {r, mid - gap}, t),
            bar({r, mid + gap}, {r, bottom - gap}, t), bar({l + gap, bottom}, {r - gap, bottom}, t),
            bar({l, mid + gap}, {l, bottom - gap}, t), bar({l, top + gap}, {l, mid - gap}, t),
            bar({l + gap, mid}, {r - gap, mid}, t)};
}

void drawCell(QPainter& p, const QRectF& cell, int mask, const SegmentStyle& style) {
    const qreal t = cell.width() * kThickness;
    const auto segments = cellSegments(cell, t);
    for (int i = 0; i < 7; ++i) {
        const bool lit = mask & (1 << i);
        if (lit) {
            // A faint wider copy gives the lit segments their glow.
            QColor glow = style.lit;
            glow.setAlpha(60);
            p.setPen(QPen(glow, t * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        } else {
            p.setPen(Qt::NoPen);
        }
        p.setBrush(lit ? style.lit : style.unlit);
        p.drawPath(segments[i]);
    }
}

void drawDots(QPainter& p, const QRectF& cell, qreal fullWidth, QChar c,
              const SegmentStyle& style) {
    const qreal d = fullWidth * kThickness * 1.1;
    p.setPen(Qt::NoPen);
    p.setBrush(style.lit);
    const qreal x = cell.center().x() - d / 2;
    if (c == u'.') {
        p.drawRect(QRectF(x, cell.bottom() - d, d, d));
        return;
    }
    p.drawRect(QRectF(x, cell.top() + cell.height() * 0.3 - d / 2, d, d));
    p.drawRect(QRectF(x, cell.top() + cell.height() * 0.7 - d / 2, d, d));
}

} // namespace

int segmentMask(QChar c) {
    static constexpr std::array<int, 10> digits = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                   0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (c.isDigit()) return digits[size_t(c.digitValue())];
    if (c == u'-') return 0x40;
    if (c.toUpper() == u'E') return 0x79;
    return 0;
}

void drawSevenSegments(QPainter& p, const QRectF& area, const QString& text,
                       const SegmentStyle& style) {
    QString shown;
    for (QChar c : text)
        if (isShown(c)) shown += c;
    int full = 0;
    for (QChar c : shown)
        full += isNarrow(c) ? 0 : 1;
    if (full < style.minCells) shown = QString(style.minCells - full, u' ') + shown;
    full = std::max(full, style.minCells);
    const int narrow = int(shown.size()) - full;

    // Cells as tall as the area allows, narrower when they would overflow its width.
    const qreal units = full * (1 + kSpacing) + narrow * kNarrow;
    const qreal sizing = style.sizeCells > 0 ? style.sizeCells * (1 + kSpacing) : units;
    // The lean pushes the top of the last cell right by kSlant * h; that must fit as well.
    const qreal leanShare = kSlant / kAspect;
    const qreal w =
        std::min(area.height() * kAspect, area.width() / (std::max(sizing, units) + leanShare));
    const qreal h = w / kAspect;
    const qreal top = area.center().y() - h / 2;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Lean every cell forward about the display's baseline.
    QTransform lean;
    lean.translate(0, top + h);
    lean.shear(-kSlant, 0);
    lean.translate(0, -(top + h));
    p.setTransform(lean, true);
    qreal x = area.right() - kSlant * h - units * w + kSpacing * w * 0.5;
    for (QChar c : shown) {
        if (isNarrow(c)) {
            drawDots(p, QRectF(x - kSpacing * w * 0.5, top, kNarrow * w, h), w, c, style);
            x += kNarrow * w;
            continue;
        }
        drawCell(p, QRectF(x, top, w, h), segmentMask(c), style);
        x += w * (1 + kSpacing);
    }
    p.restore();
}

} // namespace kelvatron
