#pragma once
#include <QColor>
#include <QWidget>

namespace kelvatron {

// A gradient surface: the window's background and its top strip, which drags the window.
class TglBevel : public QWidget {
    Q_OBJECT
public:
    TglBevel(QColor from, QColor to, QWidget* parent = nullptr);

signals:
    void mousePressed();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    QColor from_, to_;
};

} // namespace kelvatron
