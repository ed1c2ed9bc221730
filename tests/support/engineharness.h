#pragma once
#include "core/formstate.h"
#include "exercises/exercisegenerator.h"
#include "keying/alphabetswitch.h"
#include "keying/keyboardpractice.h"
#include "keying/signplayer.h"
#include "keying/toneoutput.h"
#include "radiograms/radiogramcommands.h"
#include "support/fakeservices.h"
#include "support/fakewindow.h"
#include "tonegen/tonegen.h"
#include "transmission/pausestopcontrol.h"
#include "transmission/sourceselection.h"
#include "transmission/transmissiondriver.h"

namespace kelvatron::test {

// The engine wired as the window wires it, on fakes of the window and of the devices. Every
// tone, beep and wait lands on one timeline, clock.log ("beep 800 40", "tone 20", "sleep 40").
struct EngineHarness : FakeServices {
    EngineHarness() {
        toneGen.setAsync(false);
        toneGen.setResolution(TTGResolution::tg8Bit);
        sound.volumeWrites.clear();
    }

    FakeKeyingSettings settings;
    FakeTextWindow text;
    FakeProgress progress;
    FakeTransmissionControls controls;
    FakeAlphabetDisplay alphabet;
    FormState state;
    TToneGen toneGen{sound};
    ToneGenOutput output{toneGen, speaker, clock};

    SignPlayer signPlayer{settings, output, text, clock, state.timing};
    KeyboardPractice keyboardPractice{text, progress, clock, events, state, signPlayer};
    AlphabetSwitch alphabetSwitch{alphabet, text, events, keyboardLayout};
    PauseStopControl pauseStop{controls, progress, events, state};
    SourceSelection sourceSelection{controls};
    TransmissionDriver transmission{controls, text,  progress,   clock,
                                    events,   state, signPlayer, pauseStop};
    ExerciseGenerator exerciseGenerator{controls, text, progress, clock, events, sourceSelection};
    RadiogramCommands radiogramCommands{text, dialogs, state, sourceSelection};
};

} // namespace kelvatron::test
