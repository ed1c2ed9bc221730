#pragma once
#include <algorithm>
#include <string>
#include <string_view>

#include "core/buffertextwindow.h"

namespace kelvatron {

// A text window nobody sees: a receive exercise keys into it, so the signs sent never show on
// screen. Besides the text it keeps everything written since the last reset (a body that clears
// the window before its groups does not lose the groups of the body before it) and how far a
// text being keyed has been selected.
class HiddenTextWindow : public BufferTextWindow {
public:
    // Starts afresh with the given text (the text a " Текст в окне" exercise keys).
    void reset(std::string_view cp1251 = {}) {
        setText(cp1251);
        written_.clear();
        selectedEnd_ = 0;
    }
    // Everything appended since the last reset, clears notwithstanding.
    const std::string& written() const { return written_; }
    // The end of the last selection: a text being keyed is selected up to the sign after the
    // last one keyed.
    int selectedEnd() const { return selectedEnd_; }

    void append(std::string_view cp1251) override {
        BufferTextWindow::append(cp1251);
        written_ += cp1251;
    }
    void select(int start, int length) override { selectedEnd_ = std::max(0, start + length); }

private:
    std::string written_;
    int selectedEnd_ = 0;
};

} // namespace kelvatron
