#pragma once
#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace kelvatron {

// Draws text as lit seven-segment cells over unlit ones, as a calculator's display shows it.
// Digits, '-', 'E' and ' ' take a full cell; '.' and ':' a narrow one; other characters are
// left out. The text is right-aligned; at least minCells full cells are shown (leading ones
// unlit), and the cells shrink when the text would not fit.
struct SegmentStyle {
    QColor lit;
    QColor unlit;
    int minCells = 4;
    // Cells are sized as if this many full cells had to fit, so displays of one size show
    // digits of one size whatever they hold; 0 sizes them for the text itself.
    int sizeCells = 0;
};

void drawSevenSegments(QPainter& p, const QRectF& area, const QString& text,
                       const SegmentStyle& style);

// The segments a character lights: bit 0 is the top bar, then clockwise (top right, bottom
// right, bottom, bottom left, top left), bit 6 the middle bar. Zero for a blank cell.
int segmentMask(QChar c);

} // namespace kelvatron
