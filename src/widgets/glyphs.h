#pragma once
#include <QRectF>
#include <QString>

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

// The digit 3 as signs show it: with a flat top (Ʒ), as it is written by hand where it could be
// taken for the letter З, which keeps its round top. Only for the eye: a screen reader, a file or
// the keying still get the digit.
inline constexpr char16_t kShownThree = u'\u01B7';

// Text of signs (a key's caption, the sent and typed rows, a table cell, a chart's axis) in the
// forms that keep look-alike signs apart: every digit 3 shown flat-topped.
QString shownSigns(QString signs);

} // namespace kelvatron
