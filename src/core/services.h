#pragma once
#include "core/speechsynthesizer.h"

namespace kelvatron {

class Clock;
class EventPump;
class SoundDevice;
class SpeakerHardware;
class KeyboardLayout;
class Dialogs;

// Everything the window asks of the operating system. The program passes the real services;
// tests pass recording fakes.
struct Services {
    Clock& clock;
    EventPump& events;
    SoundDevice& sound;
    SpeakerHardware& speaker;
    KeyboardLayout& keyboardLayout;
    Dialogs& dialogs;
    // The voice of the spoken answers; none: the answers are not spoken (the learner is told).
    SpeechSynthesizerMaker voice = {};
};

} // namespace kelvatron
