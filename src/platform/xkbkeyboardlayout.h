#pragma once
#include "core/keyboardlayout.h"

class QApplication;
class QWidget;

namespace kelvatron {

// Reads typed keys with the Russian or US layout while the program's window has them, whatever
// the desktop's own layout.
class XkbKeyboardLayout : public KeyboardLayout {
public:
    void LoadKeyboardLayout(const char* layoutName) override;
    // Starts translating the keys typed in window.
    void attach(QApplication& app, QWidget& window);
};

} // namespace kelvatron
