#pragma once
#include <QWidget>

class QKeyEvent;

namespace kelvatron {

// What the window's clickable controls share: they light up under the mouse, keep a pressed look
// while the button is down, and answer Space and Enter when they have the focus. Each decides
// for itself what a press and a release do.
class TglPressable : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    static bool isActivationKey(const QKeyEvent* e);
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

    bool hovered_ = false;
    bool pressed_ = false;
};

} // namespace kelvatron
