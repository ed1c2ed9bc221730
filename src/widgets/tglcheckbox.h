#pragma once
#include <QLinearGradient>
#include "widgets/tglpressable.h"

#include "widgets/glyphs.h"

namespace kelvatron {

// An image check box. It serves as option, as radio button (through its handler) and as push
// button. A user click toggles Checked and then emits clicked(); setting Checked from code emits
// nothing, so handlers run only for the user's own actions.
class TglCheckBox : public TglPressable {
    Q_OBJECT
public:
    using Glyph = GlyphKind;

    explicit TglCheckBox(QWidget* parent = nullptr);

    bool Checked() const { return checked_; }
    void setChecked(bool checked);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    QString Hint() const { return toolTip(); }
    void setHint(const QString& hint);
    // The yellow background that marks the chosen alphabet.
    bool GradientActive() const { return gradientActive_; }
    void setGradientActive(bool active);
    Glyph glyph() const { return glyph_; }
    void setGlyph(Glyph glyph);
    // A push button shows no tick and is announced as a button.
    bool isPushButton() const { return pushButton_; }
    void setPushButton(bool push);

    // What a user's click does: toggle, then clicked(). Nothing while disabled.
    void click();

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void updateAccessibility();
    bool isLit() const;
    QLinearGradient faceGradient(const QRectF& box) const;
    void paintImageButton(QPainter& p);
    void paintOption(QPainter& p);

    bool checked_ = false;
    bool gradientActive_ = false;
    bool pushButton_ = false;
    Glyph glyph_ = Glyph::None;
    QString caption_;
};

} // namespace kelvatron
