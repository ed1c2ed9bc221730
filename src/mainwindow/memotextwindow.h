#pragma once
#include <QTextCursor>
#include <optional>

#include "core/textwindow.h"

namespace kelvatron {

struct FormControls;

// The text window as the subsystems see it: Memo1.
class MemoTextWindow : public TextWindow {
public:
    explicit MemoTextWindow(const FormControls& ui) : ui_(ui) {}

    std::string text() const override;
    std::string unicodeText() const override;
    void setText(std::string_view cp1251) override;
    void clear() override;
    void addLine(std::string_view cp1251) override;
    void append(std::string_view cp1251) override;
    void beginBatch() override;
    void endBatch() override;
    void select(int start, int length) override;
    void setAlignment(TextAlignment alignment) override;
    void setInputEnabled(bool enabled) override;
    void focus() override;
    void paint() override;
    void paintAll() override;

private:
    const FormControls& ui_;
    // The end of the text while a batch is written, and whether undo was on before it.
    std::optional<QTextCursor> batchEnd_;
    bool undoWasEnabled_ = true;
};

} // namespace kelvatron
