#pragma once
#include <string>
#include <string_view>

namespace kelvatron {

enum class TextAlignment { Left, Centre };

// The text a transmission keys and the exercises write: the window's editor, a hidden buffer,
// or nothing at all. Text and positions are Windows-1251 characters with CR LF line breaks, so
// every count is the byte count of the file the text would be saved as.
class TextWindow {
public:
    virtual ~TextWindow() = default;

    // The text as stored: a no-break space stays byte A0.
    virtual std::string text() const = 0;
    // The same text in UTF-8 with '\n' line breaks and every character as typed, for saving,
    // where a character Windows-1251 cannot hold must be reported rather than replaced.
    virtual std::string unicodeText() const = 0;
    virtual void setText(std::string_view cp1251) = 0;
    virtual void clear() = 0;
    // Adds one line, as a list of lines grows (a cleared window has no line yet).
    virtual void addLine(std::string_view cp1251) = 0;
    // Writes at the end of the text and keeps the end in view.
    virtual void append(std::string_view cp1251) = 0;
    // Between these, appends go in without being recorded for undo and are laid out once at
    // the end; they neither move the cursor nor scroll.
    virtual void beginBatch() = 0;
    virtual void endBatch() = 0;
    // Selects length characters from start and keeps the selection's end in view.
    virtual void select(int start, int length) = 0;
    virtual void setAlignment(TextAlignment alignment) = 0;
    virtual void setInputEnabled(bool enabled) = 0;
    virtual void focus() = 0;
    // Paints the text now, in a batch what has been appended so far; paintAll paints everything
    // around it as well.
    virtual void paint() = 0;
    virtual void paintAll() = 0;
};

} // namespace kelvatron
