#pragma once
#include <QPointer>
#include <QWidget>

namespace kelvatron {

// A soft drop shadow under another control, offset by its depth. It follows the control's
// geometry and visibility.
class TglShadow : public QWidget {
    Q_OBJECT
public:
    TglShadow(QWidget* control, int depth, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QPointer<QWidget> control_;
    int depth_;
};

} // namespace kelvatron
