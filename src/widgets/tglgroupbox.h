#pragma once
#include <QWidget>

namespace kelvatron {

// A panel with a gradient caption strip. Floating panels can be dragged by their body inside the
// window; the position lasts until the program ends.
class TglGroupBox : public QWidget {
    Q_OBJECT
public:
    explicit TglGroupBox(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setDraggable(bool draggable) { draggable_ = draggable; }
    // A plain strip (the status bar) draws no caption band and no frame shadow.
    void setFlat(bool flat);

signals:
    void mousePressed();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QString caption_;
    bool draggable_ = false;
    bool flat_ = false;
    bool dragging_ = false;
    QPoint grab_;
};

} // namespace kelvatron
