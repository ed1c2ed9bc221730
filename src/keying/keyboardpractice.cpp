#include "keying/keyboardpractice.h"

namespace kelvatron {

KeyboardPractice::KeyboardPractice(FormControls& ui, Services& services, FormState& state, SignPlayer& player)
    : ui_(ui), services_(services), state_(state), player_(player) {}

void KeyboardPractice::presssymvol(TglLabel*) {}
void KeyboardPractice::glLabel17Click() {}
void KeyboardPractice::FormKeyPress(char) {}

} // namespace kelvatron
