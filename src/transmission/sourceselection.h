#pragma once

namespace kelvatron {

struct FormControls;

// The four source options behave as one choice: digits, letters, digits and letters, or the
// text in the window.
class SourceSelection {
public:
    explicit SourceSelection(FormControls& ui);

    void glCheckBox4Click();
    void glCheckBox5Click();
    void glCheckBox6Click();
    void glCheckBox7Click();
    // Chooses the text in the window without running any handler (after generating, new, open).
    void selectTextInWindow();

private:
    FormControls& ui_;
};

} // namespace kelvatron
