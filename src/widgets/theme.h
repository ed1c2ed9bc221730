#pragma once
#include <QColor>
#include <QFont>

class QPainter;
class QRectF;
class QWidget;

namespace kelvatron {

// The colours and type shared by the widget set, so every control reads as one program.
namespace theme {

inline const QColor kGreen{0, 159, 0}; // the window's left edge, colour value 40704
inline const QColor kNavy{0, 0, 128};  // the window's right edge
inline const QColor kInk{255, 255, 255};
inline const QColor kInkDim{176, 190, 204};
inline const QColor kInkDisabled{128, 140, 150};
inline const QColor kHighlight{255, 222, 89}; // hover text, focus rings, ticks
inline const QColor kPanelTop{30, 64, 86};
inline const QColor kPanelBottom{14, 30, 58};
inline const QColor kPanelEdge{150, 196, 220, 150};
inline const QColor kLitTop{150, 236, 128}; // a checked image box
inline const QColor kLitBottom{32, 150, 56};
inline const QColor kActiveTop{255, 246, 150}; // the chosen alphabet
inline const QColor kActiveBottom{236, 178, 16};
inline const QColor kSegmentOn{110, 255, 140};
inline const QColor kSegmentOff{110, 255, 140, 22};
inline const QColor kDisplayFace{6, 20, 14};
inline const QColor kButtonTop{74, 128, 160}; // an image button at rest
inline const QColor kButtonBottom{18, 42, 82};
inline const QColor kButtonEdge{0, 0, 0, 170};
inline const QColor kDisabledTop{96, 104, 112};
inline const QColor kDisabledBottom{54, 60, 68};
inline const QColor kShade{0, 0, 0, 150}; // drop shadows under text and panels

// Arial where the machine has it, else a face with the same metrics, else any sans-serif.
QFont font(int pixels, bool bold = false);

// Whether w shows a focus ring: it has the focus and the user moved it there from the keyboard.
// A mouse user sees no ring, nor does the control focused when the window opens.
bool showsFocus(const QWidget* w);

// Text with a soft dark copy under it, readable on any part of the gradients.
void drawShadowedText(QPainter& p, const QRectF& r, int flags, const QString& text,
                      const QColor& ink, qreal offset = 1.5);

// A raised button face: a vertical gradient from top to bottom in a dark rim, with the gloss of
// its upper half while it is up. Image buttons and picture buttons share it.
void drawButtonFace(QPainter& p, const QRectF& box, const QColor& top, const QColor& bottom,
                    qreal radius, bool down);

// A sunken track filled from the left by share (0..1) with a glossy green-to-amber bar: the
// speed bar and the transmission's progress bar.
void drawLevelBar(QPainter& p, const QRectF& r, double share, qreal radius);

} // namespace theme

} // namespace kelvatron
