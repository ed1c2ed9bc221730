#pragma once
#include "keying/toneoutput.h"

namespace kelvatron {

// While it lives, the tones played through the output answer a key of the hand: they sound as
// soon as the output can instead of on a transmission's schedule. Nested uses put back what was
// there before.
class PromptTones {
public:
    PromptTones(ToneOutput& output, bool on)
        : output_(output), before_(output.setPromptTones(on)) {}
    ~PromptTones() { output_.setPromptTones(before_); }
    PromptTones(const PromptTones&) = delete;
    PromptTones& operator=(const PromptTones&) = delete;

private:
    ToneOutput& output_;
    bool before_;
};

} // namespace kelvatron
