#include "radiograms/radiogramcommands.h"

#include "core/dialogs.h"
#include "core/formstate.h"
#include "core/textwindow.h"
#include "radiograms/radiogramfile.h"
#include "transmission/sourceselection.h"

namespace kelvatron {

namespace {

const char* const kOpenFilter = "Файлы радиограмм (*.dkm)|*.dkm|Все файлы ...|*";
const char* const kSaveFilter = "Файлы радиограмм (*.dkm)|*.dkm";
const char* const kFirstSaveName = "Радиограмма №1";
const char* const kSaveSuffix = "dkm";
const char* const kEmptyTextQuestion = "думаете сохранить пустой файл?";

} // namespace

RadiogramCommands::RadiogramCommands(TextWindow& text, Dialogs& dialogs, FormState& state,
                                     SourceSelection& sources)
    : text_(text), dialogs_(dialogs), state_(state), sources_(sources) {}

void RadiogramCommands::newRadiogram() {
    state_.keyPreview = false;
    text_.clear();
    takeInput();
    sources_.selectTextInWindow();
    text_.setAlignment(TextAlignment::Left);
}

// The window keeps its text until a file has been read: a cancelled dialog or a file that
// cannot be read loses nothing the user had typed or generated.
void RadiogramCommands::open() {
    prepareForTyping();
    std::optional<std::string> name = askOpenName();
    if (name) {
        RadiogramResult loaded = readRadiogram(*name);
        if (!loaded.ok()) {
            dialogs_.error(loaded.message);
            return;
        }
        text_.setText(loaded.text);
    }
    takeInput();
}

// Nothing in the window changes: not the text, not the key preview, not the source.
void RadiogramCommands::saveAs() {
    const std::string text = text_.unicodeText();
    if (text.empty() && !dialogs_.confirm(kEmptyTextQuestion)) return;
    std::optional<std::string> name = askSaveName();
    if (!name) return;
    RadiogramResult saved = saveRadiogram(*name, text);
    if (!saved.ok()) dialogs_.error(saved.message);
}

void RadiogramCommands::prepareForTyping() {
    state_.keyPreview = false;
    sources_.selectTextInWindow();
    text_.setAlignment(TextAlignment::Left);
}

void RadiogramCommands::takeInput() {
    text_.setInputEnabled(true);
    text_.focus();
}

std::optional<std::string> RadiogramCommands::askOpenName() {
    std::optional<std::string> name =
        dialogs_.openFileName({kOpenFilter, lastOpenName_, std::string()});
    if (name) lastOpenName_ = *name;
    return name;
}

std::optional<std::string> RadiogramCommands::askSaveName() {
    const std::string offered = lastSaveName_.empty() ? kFirstSaveName : lastSaveName_;
    std::optional<std::string> name = dialogs_.saveFileName({kSaveFilter, offered, kSaveSuffix});
    if (name) lastSaveName_ = *name;
    return name;
}

} // namespace kelvatron
