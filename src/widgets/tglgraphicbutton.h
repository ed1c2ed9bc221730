#pragma once
#include <QAbstractButton>

#include "widgets/glyphs.h"

namespace kelvatron {

// A small picture button (minimise, close, sound test). mouseDown() fires on the press (mouse
// or Space), as the sound test and the author panel's button act; clicked() on a completed
// click.
class TglGraphicButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TglGraphicButton(GlyphKind glyph, QWidget* parent = nullptr);

    void setHint(const QString& hint);
    // A user's press from the keyboard or a screen reader: mouseDown(), then clicked().
    void press() { click(); }

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    GlyphKind glyph_;
};

} // namespace kelvatron
