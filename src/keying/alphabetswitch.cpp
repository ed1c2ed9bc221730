#include "keying/alphabetswitch.h"

#include <QString>
#include <algorithm>
#include <string_view>

#include "core/eventpump.h"
#include "core/keyboardlayout.h"
#include "form/formcontrols.h"
#include "form/services.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

namespace kelvatron {

namespace {

constexpr const char* kRussianLayout = "00000419";
constexpr const char* kUsLayout = "00000409";

// Captions of glLabel39..glLabel69 in label order; the Latin row follows a US keyboard, where
// the keys of Х, Ж, Э, Б and Ю carry punctuation and so stay empty.
// clang-format off
constexpr std::array<const char*, 31> kCyrillicCaptions = {
    "Й", "Ц", "У", "К", "Е", "Н", "Г", "Ш", "Щ", "З", "Х",
    "Ф", "Ы", "В", "А", "П", "Р", "О", "Л", "Д", "Ж", "Э",
    "Я", "Ч", "С", "М", "И", "Т", "Ь", "Б", "Ю"};
constexpr std::array<const char*, 31> kLatinCaptions = {
    "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "",
    "A", "S", "D", "F", "G", "H", "J", "K", "L", "",  "",
    "Z", "X", "C", "V", "B", "N", "M", "",  ""};
// clang-format on

} // namespace

AlphabetSwitch::AlphabetSwitch(FormControls& ui, Services& services)
    : ui_(ui), services_(services) {}

void AlphabetSwitch::glCheckBox22Click() {
    markChoice(false);
    ui_.Memo1->setInputEnabled(false);
    enablePunctuationKeys(true);
    loadLayout(kRussianLayout);
    setCaptions(false);
}

void AlphabetSwitch::glCheckBox23Click() {
    markChoice(true);
    ui_.Memo1->setInputEnabled(false);
    enablePunctuationKeys(false);
    // The disabled keys are drawn greyed before the layout changes.
    services_.events.processEvents();
    loadLayout(kUsLayout);
    setCaptions(true);
}

void AlphabetSwitch::activateRussianLayout() {
    loadLayout(kRussianLayout);
}

void AlphabetSwitch::markChoice(bool latin) {
    ui_.glCheckBox22->setGradientActive(!latin);
    ui_.glCheckBox23->setGradientActive(latin);
    ui_.glCheckBox22->setChecked(!latin);
    ui_.glCheckBox23->setChecked(latin);
}

void AlphabetSwitch::enablePunctuationKeys(bool enabled) {
    for (TglLabel* key :
         {ui_.glLabel49, ui_.glLabel59, ui_.glLabel60, ui_.glLabel68, ui_.glLabel69})
        key->setEnabled(enabled);
}

void AlphabetSwitch::loadLayout(const char* name) {
    const std::string_view id(name);
    std::fill(LayoutName.begin(), LayoutName.end(), '\0');
    std::copy_n(id.begin(), std::min(id.size(), LayoutName.size() - 1), LayoutName.begin());
    services_.keyboardLayout.LoadKeyboardLayout(LayoutName.data());
}

void AlphabetSwitch::setCaptions(bool latin) {
    const auto& captions = latin ? kLatinCaptions : kCyrillicCaptions;
    auto keys = ui_.letterKeys();
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i]->setCaption(QString::fromUtf8(captions[i]));
}

} // namespace kelvatron
