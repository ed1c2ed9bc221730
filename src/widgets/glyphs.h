#pragma once
#include <QRectF>

class QPainter;

namespace kelvatron {

// The little pictures of the window's buttons, drawn in code so they stay sharp at any size.
enum class GlyphKind {
    None,
    Play,
    Pause,
    Stop,
    Plus,
    Minus,
    Left,
    Right,
    Cyrillic,
    Latin,
    Close,
    Minimise,
    Speaker
};

// Draws the glyph centred in box: light ink on a dark button, dark ink on a lit one (active).
void drawGlyph(QPainter& p, GlyphKind kind, const QRectF& box, bool active);

} // namespace kelvatron
