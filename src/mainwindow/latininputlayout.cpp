#include "mainwindow/latininputlayout.h"

#include <QEvent>
#include <QWidget>

#include "core/keyboardlayout.h"

namespace kelvatron {

LatinInputLayout::LatinInputLayout(KeyboardLayout& layout,
                                   std::function<const char*()> windowLayout, QObject* parent)
    : QObject(parent), layout_(layout), windowLayout_(std::move(windowLayout)) {}

void LatinInputLayout::watch(QWidget* input, std::function<bool()> latin) {
    inputs_.emplace_back(input, std::move(latin));
    input->installEventFilter(this);
}

bool LatinInputLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
    for (const auto& [input, latin] : inputs_) {
        if (input != watched) continue;
        const bool in = event->type() == QEvent::FocusIn && (!latin || latin());
        layout_.loadKeyboardLayout(in ? kUsLayout : windowLayout_());
    }
    return false;
}

} // namespace kelvatron
