#pragma once
#include <optional>
#include <string>

namespace kelvatron {

struct FormState;
class Dialogs;
class SourceSelection;
class TextWindow;

// "Новый", "Открыть" and "Сохранить как ..." of the file panel. There is no current document:
// every save goes through the save dialog. Each dialog offers the name last confirmed in it, so
// the name of an opened file is never offered for saving.
class RadiogramCommands {
public:
    RadiogramCommands(TextWindow& text, Dialogs& dialogs, FormState& state,
                      SourceSelection& sources);

    // The window hides the file panel before each of these.
    void newRadiogram(); // "Новый"
    void open();         // "Открыть"
    void saveAs();       // "Сохранить как ..."

private:
    // Typed keys edit the text instead of sounding their signs, and the transmission keys the
    // window's text.
    void prepareForTyping();
    void takeInput();
    std::optional<std::string> askOpenName();
    std::optional<std::string> askSaveName();

    TextWindow& text_;
    Dialogs& dialogs_;
    FormState& state_;
    SourceSelection& sources_;
    std::string lastOpenName_;
    std::string lastSaveName_;
};

} // namespace kelvatron
