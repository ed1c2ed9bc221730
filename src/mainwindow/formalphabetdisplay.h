#pragma once
#include "keying/alphabetdisplay.h"

namespace kelvatron {

struct FormControls;

// The alphabet switches glCheckBox22/23 and the letter keys' captions.
class FormAlphabetDisplay : public AlphabetDisplay {
public:
    explicit FormAlphabetDisplay(const FormControls& ui) : ui_(ui) {}
    void markAlphabet(bool latin) override;
    void enablePunctuationKeys(bool enabled) override;
    void setLetterCaptions(bool latin) override;

private:
    const FormControls& ui_;
};

} // namespace kelvatron
