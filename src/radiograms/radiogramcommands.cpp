#include "radiograms/radiogramcommands.h"

#include <QTextDocument>

#include "core/dialogs.h"
#include "form/formcontrols.h"
#include "form/formstate.h"
#include "form/services.h"
#include "radiograms/radiogramfile.h"
#include "transmission/sourceselection.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tmemo.h"

namespace kelvatron {

namespace {

const char* const kOpenFilter = "Файлы радиограмм (*.dkm)|*.dkm|Все файлы ...|*";
const char* const kSaveFilter = "Файлы радиограмм (*.dkm)|*.dkm";
const char* const kFirstSaveName = "Радиограмма №1";
const char* const kSaveSuffix = "dkm";
const char* const kEmptyTextQuestion = "думаете сохранить пустой файл?";

// The window's text with its real characters, lines joined by '\n'. The editor's plain text
// would turn no-break spaces (byte A0 of a loaded file) into ordinary ones, so a radiogram that
// was opened and saved again would change; the raw text keeps them.
std::string windowText(const TMemo& memo) {
    QString text = memo.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QChar('\n');
    return text.toStdString();
}

} // namespace

RadiogramCommands::RadiogramCommands(FormControls& ui, Services& services, FormState& state,
                                     SourceSelection& sources)
    : ui_(ui), services_(services), state_(state), sources_(sources) {}

void RadiogramCommands::glLabel9Click() {
    state_.KeyPreview = false;
    ui_.glGroupBox2->setVisible(false);
    ui_.Memo1->Clear();
    takeInput();
    sources_.selectTextInWindow();
    ui_.Memo1->setAlignmentAll(Qt::AlignLeft);
}

// The window keeps its text until a file has been read: a cancelled dialog or a file that
// cannot be read loses nothing the user had typed or generated.
void RadiogramCommands::glLabel10Click() {
    ui_.glGroupBox2->setVisible(false);
    prepareForTyping();
    std::optional<std::string> name = askOpenName();
    if (name) {
        RadiogramResult loaded = readRadiogram(*name);
        if (!loaded.ok()) {
            services_.dialogs.error(loaded.message);
            return;
        }
        ui_.Memo1->setText(loaded.text);
    }
    takeInput();
}

// Nothing in the window changes: not the text, not the key preview, not the source.
void RadiogramCommands::glLabel11Click() {
    ui_.glGroupBox2->setVisible(false);
    const std::string text = windowText(*ui_.Memo1);
    if (text.empty() && !services_.dialogs.confirm(kEmptyTextQuestion)) return;
    std::optional<std::string> name = askSaveName();
    if (!name) return;
    RadiogramResult saved = saveRadiogram(*name, text);
    if (!saved.ok()) services_.dialogs.error(saved.message);
}

void RadiogramCommands::prepareForTyping() {
    state_.KeyPreview = false;
    sources_.selectTextInWindow();
    ui_.Memo1->setAlignmentAll(Qt::AlignLeft);
}

void RadiogramCommands::takeInput() {
    ui_.Memo1->setInputEnabled(true);
    ui_.Memo1->setFocus();
}

std::optional<std::string> RadiogramCommands::askOpenName() {
    std::optional<std::string> name =
        services_.dialogs.openFileName({kOpenFilter, lastOpenName_, std::string()});
    if (name) lastOpenName_ = *name;
    return name;
}

std::optional<std::string> RadiogramCommands::askSaveName() {
    const std::string offered = lastSaveName_.empty() ? kFirstSaveName : lastSaveName_;
    std::optional<std::string> name =
        services_.dialogs.saveFileName({kSaveFilter, offered, kSaveSuffix});
    if (name) lastSaveName_ = *name;
    return name;
}

} // namespace kelvatron
