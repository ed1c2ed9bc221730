#pragma once
#include <QRectF>

class QPainter;

namespace kelvatron {

// The little pictures of the window's buttons, drawn in code so they scale and need no files.
enum class GlyphKind { None, Play, Pause, Stop, Plus, Minus, Left, Right, Cyrillic, Latin, Close, Minimise, Speaker };

void drawGlyph(QPainter& p, GlyphKind kind, const QRectF& box, bool active);

} // namespace kelvatron
