#pragma once
#include <array>

namespace kelvatron {

class AlphabetDisplay;
class EventPump;
class KeyboardLayout;
class TextWindow;

// The Cyrillic and Latin alphabets: key captions, disabled keys, the switches' marks and the
// keyboard layout typed keys are read with.
class AlphabetSwitch {
public:
    AlphabetSwitch(AlphabetDisplay& display, TextWindow& text, EventPump& events,
                   KeyboardLayout& layout);

    void chooseCyrillic();
    void chooseLatin();
    // Each activation of the window reads typed keys with the Russian layout again.
    void activateRussianLayout();

    // The identifier of the layout asked for last, zero-terminated.
    const char* layoutName() const { return layoutName_.data(); }

private:
    void loadLayout(const char* name);

    AlphabetDisplay& display_;
    TextWindow& text_;
    EventPump& events_;
    KeyboardLayout& layout_;
    std::array<char, 9> layoutName_{};
};

} // namespace kelvatron
