#pragma once

namespace kelvatron {

// The keyboard layout that typed keys are read with while the program has the focus.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // Activates a layout by its eight-digit identifier: "00000419" Russian, "00000409" US English.
    virtual void loadKeyboardLayout(const char* layoutName) = 0;
};

} // namespace kelvatron
