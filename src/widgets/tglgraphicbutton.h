#pragma once
#include "widgets/tglpressable.h"

#include "widgets/glyphs.h"

namespace kelvatron {

// A small picture button (minimise, close, sound test). mouseDown() fires on the press, as the
// sound test and the author panel's button act; clicked() on a completed click.
class TglGraphicButton : public TglPressable {
    Q_OBJECT
public:
    explicit TglGraphicButton(GlyphKind glyph, QWidget* parent = nullptr);

    void setHint(const QString& hint);
    // A user's press (keyboard or code): mouseDown(), then clicked().
    void press();

signals:
    void mouseDown();
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    GlyphKind glyph_;
};

} // namespace kelvatron
