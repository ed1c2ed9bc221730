#pragma once
#include "trainingui/voiceoptionsview.h"

namespace kelvatron {

// The learner's choices for the spoken answers are kept in a settings group of their own
// ("Voice", beside the window's "Form1" values).

// What the user's settings file holds; a value missing or not understood keeps its default.
VoiceOptions loadVoiceOptions();
// Written at once, as the training panel's own options are.
void saveVoiceOptions(const VoiceOptions& options);

} // namespace kelvatron
