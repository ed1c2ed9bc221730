#pragma once

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

private:
    FormControls& ui_;
    Services& services_;
};

} // namespace kelvatron
