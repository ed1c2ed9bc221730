#pragma once
#include <QColor>
#include <QWidget>

namespace kelvatron {

// A gradient surface: the window's background and its top strip, which drags the window.
class TglBevel : public QWidget {
    Q_OBJECT
public:
    TglBevel(QColor from, QColor to, QWidget* parent = nullptr);

    // A glossy strip with a lit top edge and a dark lower one, as the title bar is drawn.
    void setGlossy(bool glossy);

signals:
    void mousePressed();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    QColor from_, to_;
    bool glossy_ = false;
};

} // namespace kelvatron
