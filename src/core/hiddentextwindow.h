#pragma once
#include <algorithm>
#include <string>
#include <string_view>

#include "core/textwindow.h"

namespace kelvatron {

// A text window nobody sees: a receive exercise keys into it, so the signs sent never show on
// screen. Besides the text it keeps everything written since the last reset (a body that clears
// the window before its groups does not lose the groups of the body before it) and how far a
// text being keyed has been selected.
class HiddenTextWindow : public TextWindow {
public:
    // Starts afresh with the given text (the text a " Текст в окне" exercise keys).
    void reset(std::string_view cp1251 = {}) {
        bytes_ = std::string(cp1251);
        written_.clear();
        selectedEnd_ = 0;
    }
    // Everything appended since the last reset, clears notwithstanding.
    const std::string& written() const { return written_; }
    // The end of the last selection: a text being keyed is selected up to the sign after the
    // last one keyed.
    int selectedEnd() const { return selectedEnd_; }

    std::string text() const override { return bytes_; }
    std::string unicodeText() const override { return bytes_; }
    void setText(std::string_view cp1251) override { bytes_ = std::string(cp1251); }
    void clear() override { bytes_.clear(); }
    void addLine(std::string_view cp1251) override {
        if (!bytes_.empty()) bytes_ += "\r\n";
        bytes_ += cp1251;
    }
    void append(std::string_view cp1251) override {
        bytes_ += cp1251;
        written_ += cp1251;
    }
    void beginBatch() override {}
    void endBatch() override {}
    void select(int start, int length) override { selectedEnd_ = std::max(0, start + length); }
    void setAlignment(TextAlignment) override {}
    void setInputEnabled(bool) override {}
    void focus() override {}
    void paint() override {}
    void paintAll() override {}

private:
    std::string bytes_;
    std::string written_;
    int selectedEnd_ = 0;
};

} // namespace kelvatron
