#pragma once
#include <array>

namespace kelvatron {

struct FormControls;
struct Services;

// The Cyrillic and Latin alphabets: key captions, disabled keys, the switches' marks and the
// keyboard layout typed keys are read with.
class AlphabetSwitch {
public:
    AlphabetSwitch(FormControls& ui, Services& services);

    void glCheckBox22Click(); // Cyrillic
    void glCheckBox23Click(); // Latin
    // Each activation of the window reads typed keys with the Russian layout again.
    void activateRussianLayout();

    // The identifier of the layout asked for last, zero-terminated.
    const char* layoutName() const { return LayoutName.data(); }

private:
    void markChoice(bool latin);
    // The five keys that carry punctuation on a US keyboard have no Latin caption.
    void enablePunctuationKeys(bool enabled);
    void loadLayout(const char* name);
    void setCaptions(bool latin);

    FormControls& ui_;
    Services& services_;
    std::array<char, 9> LayoutName{};
};

} // namespace kelvatron
