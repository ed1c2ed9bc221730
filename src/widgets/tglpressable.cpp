#include "widgets/tglpressable.h"

#include <QKeyEvent>

namespace kelvatron {

bool TglPressable::isActivationKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

void TglPressable::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

// Leaving with the button down cancels the press, as with any desktop button.
void TglPressable::leaveEvent(QEvent*) {
    hovered_ = false;
    pressed_ = false;
    update();
}

} // namespace kelvatron
