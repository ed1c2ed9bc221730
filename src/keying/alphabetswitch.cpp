#include "keying/alphabetswitch.h"

#include <algorithm>
#include <string_view>

#include "core/eventpump.h"
#include "core/keyboardlayout.h"
#include "core/textwindow.h"
#include "keying/alphabetdisplay.h"

namespace kelvatron {

namespace {
constexpr const char* kRussianLayout = "00000419";
constexpr const char* kUsLayout = "00000409";
} // namespace

AlphabetSwitch::AlphabetSwitch(AlphabetDisplay& display, TextWindow& text, EventPump& events,
                               KeyboardLayout& layout)
    : display_(display), text_(text), events_(events), layout_(layout) {}

void AlphabetSwitch::chooseCyrillic() {
    display_.markAlphabet(false);
    text_.setInputEnabled(false);
    display_.enablePunctuationKeys(true);
    loadLayout(kRussianLayout);
    display_.setLetterCaptions(false);
}

void AlphabetSwitch::chooseLatin() {
    display_.markAlphabet(true);
    text_.setInputEnabled(false);
    display_.enablePunctuationKeys(false);
    // The disabled keys are drawn greyed before the layout changes.
    events_.processEvents();
    loadLayout(kUsLayout);
    display_.setLetterCaptions(true);
}

void AlphabetSwitch::activateRussianLayout() {
    loadLayout(kRussianLayout);
}

void AlphabetSwitch::loadLayout(const char* name) {
    const std::string_view id(name);
    std::fill(layoutName_.begin(), layoutName_.end(), '\0');
    std::copy_n(id.begin(), std::min(id.size(), layoutName_.size() - 1), layoutName_.begin());
    layout_.loadKeyboardLayout(layoutName_.data());
}

} // namespace kelvatron
