#pragma once
#include <QAbstractButton>
#include <QLinearGradient>

#include "widgets/glyphs.h"

namespace kelvatron {

// An image check box. It serves as option, as radio button (through its handler) and as push
// button. A user click toggles Checked and then emits clicked(); setting Checked from code emits
// no click, so handlers run only for the user's own actions. Press, click, Space and Enter and
// the screen reader's press come from QAbstractButton.
class TglCheckBox : public QAbstractButton {
    Q_OBJECT
public:
    using Glyph = GlyphKind;

    explicit TglCheckBox(QWidget* parent = nullptr);

    bool Checked() const { return isChecked(); }
    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    void setHint(const QString& hint);
    // The yellow background that marks the chosen alphabet.
    void setGradientActive(bool active);
    Glyph glyph() const { return glyph_; }
    void setGlyph(Glyph glyph);
    // A push button shows no tick; its state shows only on the start button, lit while a
    // transmission runs.
    void setPushButton(bool push);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void updateAccessibility();
    bool isLit() const;
    bool isHovered() const;
    QLinearGradient faceColours(const QRectF& box) const;
    void paintImageButton(QPainter& p);
    void paintOption(QPainter& p);

    bool gradientActive_ = false;
    bool pushButton_ = false;
    Glyph glyph_ = Glyph::None;
};

} // namespace kelvatron
