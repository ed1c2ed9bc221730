#pragma once

namespace kelvatron {

class TransmissionControls;

// The four source options behave as one choice: digits, letters, digits and letters, or the
// text in the window.
class SourceSelection {
public:
    explicit SourceSelection(TransmissionControls& controls);

    void glCheckBox4Click();
    void glCheckBox5Click();
    void glCheckBox6Click();
    void glCheckBox7Click();
    // Chooses the text in the window without running any handler (after generating, new, open).
    void selectTextInWindow();

private:
    // Sets option index (0 digits .. 3 text) and clears the others, in the order 4, 5, 6, 7.
    void choose(int index);

    TransmissionControls& controls_;
};

} // namespace kelvatron
