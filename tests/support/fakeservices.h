#pragma once
#include "core/services.h"
#include "support/fakeclock.h"
#include "support/fakedialogs.h"
#include "support/fakeeventpump.h"
#include "support/fakekeyboardlayout.h"
#include "support/fakesounddevice.h"
#include "support/fakespeakerhardware.h"

namespace kelvatron::test {

// Every operating-system service on a fake. The sound card and the speaker share the clock, so
// their tones and the waits land on one timeline. The speaker has a beep service.
struct FakeServices {
    FakeServices() { speaker.beepService = true; }

    // Forgets everything recorded so far and puts the clock back to 0.
    void clearRecords() {
        speaker.log.clear();
        sound.plays.clear();
        sound.volumeWrites.clear();
        clock.sleeps.clear();
        clock.log.clear();
        clock.time = 0;
        keyboardLayout.loaded.clear();
    }

    FakeClock clock;
    FakeEventPump events;
    FakeSoundDevice sound{&clock};
    FakeSpeakerHardware speaker{&clock};
    FakeKeyboardLayout keyboardLayout;
    FakeDialogs dialogs;
    Services services{clock, events, sound, speaker, keyboardLayout, dialogs, {}};
};

} // namespace kelvatron::test
