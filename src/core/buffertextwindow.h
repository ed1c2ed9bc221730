#pragma once
#include <string>
#include <string_view>

#include "core/textwindow.h"

namespace kelvatron {

// A text window that only holds its text: what a transmission keys and writes when no window
// is on screen. Selection, painting and input do nothing.
class BufferTextWindow : public TextWindow {
public:
    std::string text() const override { return bytes_; }
    // The keyed text as a UTF-8 file holds it: '\n' line breaks.
    std::string unicodeText() const override;
    void setText(std::string_view cp1251) override;
    void clear() override;
    void addLine(std::string_view cp1251) override;
    void append(std::string_view cp1251) override;
    void beginBatch() override {}
    void endBatch() override {}
    void select(int, int) override {}
    void setAlignment(TextAlignment) override {}
    void setInputEnabled(bool) override {}
    void focus() override {}
    void paint() override {}
    void paintAll() override {}

private:
    std::string bytes_;
    bool noLines_ = true; // a cleared window has no line yet
};

} // namespace kelvatron
