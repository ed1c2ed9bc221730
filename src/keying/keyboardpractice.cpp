#include "keying/keyboardpractice.h"

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/eventpump.h"
#include "core/formstate.h"
#include "core/progress.h"
#include "core/textwindow.h"
#include "keying/keymapping.h"
#include "keying/prompttones.h"
#include "keying/signplayer.h"
#include "keying/signtable.h"

namespace kelvatron {

namespace {

// The first character of a key's caption as one Windows-1251 byte. A caption without one, or
// whose first character the code page cannot hold, names no sign: it must not turn into the
// "?" sign on its way.
std::string firstCharacter(std::string_view caption) {
    if (caption.empty()) return {};
    const auto lead = static_cast<unsigned char>(caption[0]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return toCp1251Strict(caption.substr(0, length)).value_or(std::string());
}

} // namespace

KeyboardPractice::KeyboardPractice(TextWindow& text, Progress& progress, Clock& clock,
                                   EventPump& events, FormState& state, SignPlayer& player)
    : text_(text), progress_(progress), clock_(clock), events_(events), state_(state),
      player_(player) {}

// The sign shows centred, and the window takes no typing while the keyboard sounds.
void KeyboardPractice::prepareTextWindow() {
    text_.setInputEnabled(false);
    text_.setAlignment(TextAlignment::Centre);
}

void KeyboardPractice::pressKey(std::string_view caption) {
    const PromptTones prompt(player_.output(), !state_.transmitting);
    prepareTextWindow();
    const std::string c = firstCharacter(caption);
    player_.showAndKeySign(c);
    progress_.setPosition(0);
    // Clicks and keys made while the sign sounded are handled here, before the pause after it.
    events_.processEvents();
    // A Latin caption is no sign itself; its Cyrillic partner sounds for it.
    if (c.size() == 1 && c[0] >= 'A' && c[0] <= 'Z')
        if (auto partner = latinPartner(c[0])) player_.showAndKeySign(std::string(1, *partner));
    clock_.sleep(state_.timing.signPause);
}

void KeyboardPractice::pressSpace() {
    const PromptTones prompt(player_.output(), !state_.transmitting);
    prepareTextWindow();
    player_.showAndKeySign(" ");
    clock_.sleep(state_.timing.signPause);
}

void KeyboardPractice::typeKey(char key) {
    text_.setAlignment(TextAlignment::Centre);
    std::string& buffer = state_.keyBuffer;
    // A key without a sign still holds its place: it waits the pause after a sign.
    if (buffer.size() < kKeyBufferCapacity) buffer += mapTypedKey(key).value_or(kKeyWithoutSign);
    if (soundingInTransmission_ == state_.transmitting) return; // sounds in turn
    const std::optional<bool> outer = soundingInTransmission_;
    soundingInTransmission_ = state_.transmitting;
    soundKeyBuffer();
    soundingInTransmission_ = outer;
}

// Events are handled after every sign: keys typed meanwhile join the queue, a click is answered.
void KeyboardPractice::soundKeyBuffer() {
    // Beside a transmission the queue keeps the transmission's schedule.
    const PromptTones prompt(player_.output(), !state_.transmitting);
    std::string& buffer = state_.keyBuffer;
    while (!buffer.empty()) {
        if (buffer.front() != kKeyWithoutSign) player_.showAndKeySign(buffer.substr(0, 1));
        clock_.sleep(state_.timing.signPause);
        if (!buffer.empty()) buffer.erase(0, 1);
        events_.processEvents();
    }
}

void KeyboardPractice::stopKeying() {
    state_.keyBuffer.clear();
}

} // namespace kelvatron
