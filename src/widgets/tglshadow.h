#pragma once
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace kelvatron {

// A soft drop shadow under another control, reaching depth pixels past its right and bottom
// edges. It follows the control's geometry, visibility and stacking.
class TglShadow : public QWidget {
    Q_OBJECT
public:
    TglShadow(QWidget* control, int depth, QWidget* parent);

    int depth() const { return depth_; }

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    QImage renderShadow() const;

    QPointer<QWidget> control_;
    int depth_;
    QImage cache_; // the blurred shape for the current size
};

} // namespace kelvatron
