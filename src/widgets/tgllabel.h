#pragma once
#include <QAbstractButton>

namespace kelvatron {

// A caption in large or shadowed type. The window uses labels as menu words, panel commands and
// the keys of the on-screen keyboard; a clickable label is a button: it takes focus from Tab and
// answers Space and Enter too, so every command can be reached without a mouse. A plain label
// lets the mouse through to the panel under it.
class TglLabel : public QAbstractButton {
    Q_OBJECT
public:
    explicit TglLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    void setClickable(bool clickable);
    bool isClickable() const { return clickable_; }
    void setShadowed(bool shadowed);
    void setTextColor(const QColor& color);
    void setPixelSize(int pixels);
    void setBold(bool bold);
    void setAlignment(Qt::Alignment alignment);
    // The caption is a sign (a key of the on-screen keyboard): it is painted in the form that
    // tells it from a look-alike (shownSigns); its accessible name stays the caption.
    void setShowsSign(bool showsSign);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    bool hitButton(const QPoint& pos) const override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void updateAccessibility();
    int leftInset() const;
    QRectF textArea() const;

    bool clickable_ = false;
    bool shadowed_ = false;
    bool showsSign_ = false;
    // Lit from the release until the handler returns: a key stays lit while its sign sounds.
    bool sounding_ = false;
    QColor color_{Qt::white};
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

} // namespace kelvatron
