#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/speechsynthesizer.h"
#include "keying/signnames.h"
#include "tonegen/tonetypes.h"
#include "transmission/answervoice.h"

namespace kelvatron {

class Clock;
class SoundDevice;

// The level heldRms() finds in a steady tone of this waveform at full scale, as the tone
// generator makes it: the level the speech is brought to.
double toneLevel(TTGWave waveform);

// The answers spoken by a synthesiser and played as one more placed sound on the device the
// tones go to: the speech is made on the calling thread (never the sound thread), brought to the
// chain's rate and to the tones' level, and played synchronously, so the clock moves on by
// exactly its length. The same answer is synthesised once. It is mixed after the band conditions
// (SND_DRY), clean among the noisy Morse, unless the learner wants it heard off the air too.
//
// A voice that cannot be built or cannot speak is reported once, through `report`, and the
// exercise then runs on without speech.
class SpeechAnswerVoice : public AnswerVoice {
public:
    // rate: the rate the speech is made at, the one the device mixes its placed sounds at.
    SpeechAnswerVoice(SpeechSynthesizerMaker makeVoice, SoundDevice& device, Clock& clock,
                      uint32_t rate, double toneLevel, AnswerReading reading,
                      std::function<void(const std::string&)> report);
    ~SpeechAnswerVoice() override;

    // A change of either forgets the answers made so far.
    void setReading(AnswerReading reading);
    void setToneLevel(double level);
    // Whether the speech passes the band conditions as the Morse does (off at first).
    void setThroughAir(bool on) { throughAir_ = on; }

    bool prepare(std::string_view written) override;
    void speakPrepared() override;

    // A new sign introduced to the learner: its name and its напев, spoken now. False when the
    // voice cannot speak.
    bool introduce(char written);

    // Where answers were spoken, in ms of the clock: [start, end) each.
    const std::vector<std::pair<double, double>>& spoken() const { return spoken_; }

private:
    bool prepareText(const std::string& utf8);
    void fail(const std::string& why);

    SpeechSynthesizerMaker makeVoice_;
    SoundDevice& device_;
    Clock& clock_;
    uint32_t rate_;
    double level_;
    AnswerReading reading_;
    std::function<void(const std::string&)> report_;
    std::unique_ptr<SpeechSynthesizer> voice_;
    bool failed_ = false;
    bool throughAir_ = false;
    std::map<std::string, std::vector<uint8_t>> images_;
    const std::vector<uint8_t>* prepared_ = nullptr;
    std::vector<std::pair<double, double>> spoken_;
};

} // namespace kelvatron
