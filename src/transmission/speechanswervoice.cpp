#include "transmission/speechanswervoice.h"

#include <algorithm>
#include <cmath>

#include "audio/speechlevel.h"
#include "core/clock.h"
#include "tonegen/sounddevice.h"
#include "tonegen/waveheader.h"

namespace kelvatron {

namespace {

void putLittleEndian(uint8_t*& at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        *at++ = static_cast<uint8_t>(value >> (8 * i));
}

// A WAVE image of the speech: mono, 16 bits, at the rate of the sounds it goes among (any rate,
// where the tone generator's own header knows only its two).
std::vector<uint8_t> waveImageOf(const std::vector<float>& speech, uint32_t rate) {
    const auto dataLength = static_cast<uint32_t>(speech.size() * 2);
    std::vector<uint8_t> image(kWaveHeaderSize + dataLength);
    uint8_t* at = image.data();
    const auto text = [&at](const char* four) { at = std::copy(four, four + 4, at); };
    text("RIFF");
    putLittleEndian(at, 36 + dataLength, 4);
    text("WAVE");
    text("fmt ");
    putLittleEndian(at, 16, 4);
    putLittleEndian(at, 1, 2); // PCM
    putLittleEndian(at, 1, 2); // mono
    putLittleEndian(at, rate, 4);
    putLittleEndian(at, rate * 2, 4);
    putLittleEndian(at, 2, 2);
    putLittleEndian(at, 16, 2);
    text("data");
    putLittleEndian(at, dataLength, 4);
    for (float sample : speech) {
        const auto value =
            static_cast<int16_t>(std::clamp(std::lround(sample * 32768.0f), -32768L, 32767L));
        putLittleEndian(at, static_cast<uint16_t>(value), 2);
    }
    return image;
}

constexpr double kBelowTones = 0.84; // -1.5 dB

} // namespace

double toneLevel(TTGWave waveform) {
    switch (waveform) {
    case TTGWave::tgSine:
        return std::sqrt(0.5);
    case TTGWave::tgSquare:
        return 1.0;
    default:
        return std::sqrt(1.0 / 3); // the ramps and uniform noise
    }
}

SpeechAnswerVoice::SpeechAnswerVoice(SpeechSynthesizerMaker makeVoice, SoundDevice& device,
                                     Clock& clock, uint32_t rate, double toneLevel,
                                     AnswerReading reading,
                                     std::function<void(const std::string&)> report)
    : makeVoice_(std::move(makeVoice)), device_(device), clock_(clock), rate_(rate),
      level_(toneLevel), reading_(reading), report_(std::move(report)) {}

SpeechAnswerVoice::~SpeechAnswerVoice() = default;

void SpeechAnswerVoice::setReading(AnswerReading reading) {
    if (reading.digits == reading_.digits && reading.latin == reading_.latin) return;
    reading_ = reading;
    images_.clear();
    prepared_ = nullptr;
}

void SpeechAnswerVoice::setToneLevel(double level) {
    if (level == level_) return;
    level_ = level;
    images_.clear();
    prepared_ = nullptr;
}

bool SpeechAnswerVoice::prepare(std::string_view written) {
    return prepareText(spokenAnswer(written, reading_));
}

void SpeechAnswerVoice::speakPrepared() {
    if (!prepared_) return;
    const double start = clock_.logicalNow();
    device_.playSound(*prepared_, throughAir_ ? SND_SYNC : SND_SYNC | SND_DRY);
    spoken_.emplace_back(start, clock_.logicalNow());
    prepared_ = nullptr;
}

bool SpeechAnswerVoice::introduce(char written) {
    if (!prepareText(signIntroduction(written))) return false;
    speakPrepared();
    return true;
}

bool SpeechAnswerVoice::prepareText(const std::string& utf8) {
    prepared_ = nullptr;
    if (utf8.empty() || failed_) return false;
    if (auto known = images_.find(utf8); known != images_.end()) {
        prepared_ = &known->second;
        return true;
    }
    if (!voice_) voice_ = makeVoice_ ? makeVoice_() : nullptr;
    if (!voice_) {
        fail("Голос для ответов не подключён.");
        return false;
    }
    const std::optional<SpokenSound> sound = voice_->speak(utf8);
    if (!sound || sound->samples.empty() || sound->rate == 0) {
        fail(voice_->failure());
        return false;
    }
    std::vector<float> speech = resampleSpeech(sound->samples, sound->rate, rate_);
    // 1.5 dB under the tones: each dB less is a dB less of the soft clip's compression, and
    // the answers still sound as loud as the Morse.
    levelSpeech(speech, rate_, level_ * kBelowTones);
    prepared_ = &images_.emplace(utf8, waveImageOf(speech, rate_)).first->second;
    return true;
}

void SpeechAnswerVoice::fail(const std::string& why) {
    failed_ = true;
    if (report_) report_(why + " Упражнение идёт без голоса.");
}

} // namespace kelvatron
