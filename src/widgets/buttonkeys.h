#pragma once
#include <QAbstractButton>
#include <QKeyEvent>

namespace kelvatron {

// Qt's buttons answer Space; the window's commands answer Enter as well. True when the key
// clicked the button.
inline bool clickOnEnter(QAbstractButton* button, const QKeyEvent* e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) return false;
    button->click();
    return true;
}

} // namespace kelvatron
