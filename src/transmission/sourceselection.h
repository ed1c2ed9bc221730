#pragma once
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

// The four source options behave as one choice: digits, letters, digits and letters, or the
// text in the window.
class SourceSelection {
public:
    explicit SourceSelection(TransmissionControls& controls);

    // Sets the source's option and clears the others, in option order: the option clicked ends
    // up set even when the click itself has just cleared it.
    void choose(TransmissionSource source);
    // Chooses the text in the window without running any handler (after generating, new, open).
    void selectTextInWindow();

private:
    TransmissionControls& controls_;
};

} // namespace kelvatron
