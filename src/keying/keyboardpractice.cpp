#include "keying/keyboardpractice.h"

#include <QString>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/eventpump.h"
#include "form/formcontrols.h"
#include "form/formstate.h"
#include "form/services.h"
#include "keying/keymapping.h"
#include "keying/signplayer.h"
#include "keying/signtable.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

namespace kelvatron {

namespace {

// The first character of a key's caption as one Windows-1251 byte. A caption without one, or
// whose first character the code page cannot hold, names no sign: it must not turn into the
// "?" sign on its way.
std::string firstCharacter(const QString& caption) {
    if (caption.isEmpty()) return {};
    const QString first = caption.left(caption.at(0).isHighSurrogate() ? 2 : 1);
    return toCp1251Strict(first.toStdString()).value_or(std::string());
}

} // namespace

KeyboardPractice::KeyboardPractice(FormControls& ui, Services& services, FormState& state,
                                   SignPlayer& player)
    : ui_(ui), services_(services), state_(state), player_(player) {}

// The sign shows centred, and the window takes no typing while the keyboard sounds.
void KeyboardPractice::prepareTextWindow() {
    ui_.Memo1->setInputEnabled(false);
    ui_.Memo1->setAlignmentAll(Qt::AlignHCenter);
}

void KeyboardPractice::presssymvol(TglLabel* sender) {
    prepareTextWindow();
    const std::string c = firstCharacter(sender->Caption());
    player_.playsymvol(c);
    ui_.ProgressBar1->setPosition(0);
    // Clicks and keys made while the sign sounded are handled here, before the pause after it.
    services_.events.processEvents();
    // A Latin caption is no sign itself; its Cyrillic partner sounds for it.
    if (c.size() == 1 && c[0] >= 'A' && c[0] <= 'Z')
        if (auto partner = latinPartner(c[0])) player_.playsymvol(std::string(1, *partner));
    services_.clock.sleep(state_.timing.SignPause);
}

void KeyboardPractice::glLabel17Click() {
    prepareTextWindow();
    player_.playsymvol(" ");
    services_.clock.sleep(state_.timing.SignPause);
}

void KeyboardPractice::FormKeyPress(char key) {
    ui_.Memo1->setAlignmentAll(Qt::AlignHCenter);
    std::string& buffer = state_.KeyBuffer;
    if (auto sign = mapTypedKey(key); sign && buffer.size() < kKeyBufferCapacity) buffer += *sign;
    if (!buffer.empty()) player_.playsymvol(buffer.substr(0, 1));
    // Every key waits, so a run of keys typed ahead keeps its rhythm even where one is unmapped.
    services_.clock.sleep(state_.timing.SignPause);
    if (!buffer.empty()) buffer.erase(0, 1);
}

} // namespace kelvatron
