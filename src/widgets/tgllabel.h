#pragma once
#include "widgets/tglpressable.h"

namespace kelvatron {

// A caption in large or shadowed type. The window uses labels as menu words, panel commands and
// the keys of the on-screen keyboard; a clickable label takes focus and answers Space and Enter
// too, so every command can be reached without a mouse.
class TglLabel : public TglPressable {
    Q_OBJECT
public:
    explicit TglLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setClickable(bool clickable);
    bool isClickable() const { return clickable_; }
    void setShadowed(bool shadowed);
    void setTextColor(const QColor& color);
    void setPixelSize(int pixels);
    void setBold(bool bold);
    void setAlignment(Qt::Alignment alignment);

    // A user click: what a mouse click or a key press on the focused label does.
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
    int leftInset() const;
    QRectF textArea() const;

    QString caption_;
    bool clickable_ = false;
    bool shadowed_ = false;
    QColor color_{Qt::white};
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

} // namespace kelvatron
