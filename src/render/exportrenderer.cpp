#include "render/exportrenderer.h"

#include <algorithm>
#include <cmath>

#include "core/buffertextwindow.h"
#include "core/eventpump.h"
#include "core/formstate.h"
#include "core/progress.h"
#include "core/random.h"
#include "core/terminationrequest.h"
#include "exercises/exercisegenerator.h"
#include "keying/signplayer.h"
#include "keying/speaker.h"
#include "keying/toneoutput.h"
#include "render/exportlength.h"
#include "render/rendersession.h"
#include "transmission/pausestopcontrol.h"
#include "transmission/sourceselection.h"
#include "transmission/speechanswervoice.h"
#include "transmission/transmissiondriver.h"

namespace kelvatron {

namespace {

// The start button's choices, fixed for the run; the buttons keep their state as the window's do.
class FixedControls : public TransmissionControls {
public:
    explicit FixedControls(const TransmissionSettings& settings) : settings_(settings) {}
    TransmissionSettings transmissionSettings() const override { return settings_; }
    void setSourceChecked(TransmissionSource source, bool checked) override {
        bool* options[] = {&settings_.digits, &settings_.letters, &settings_.digitsAndLetters,
                           &settings_.textInWindow};
        *options[static_cast<int>(source)] = checked;
    }
    bool startChecked() const override { return start_; }
    void setStartChecked(bool checked) override { start_ = checked; }
    bool pauseChecked() const override { return false; }
    void setPauseChecked(bool) override {}
    void lockHints(bool) override {}

private:
    TransmissionSettings settings_;
    bool start_ = false;
};

// The sound card alone sounds; no hint is shown, the text holds only what is keyed.
class CardOnlySettings : public KeyingSettingsSource {
public:
    explicit CardOnlySettings(KeyingSettings settings) : settings_(settings) {
        settings_.speaker = false;
        settings_.soundCard = true;
    }
    KeyingSettings keyingSettings() const override { return settings_; }
    SignHints signHints() const override { return {}; }

private:
    KeyingSettings settings_;
};

// Reports whole percents as they grow. The transmission sets its maximum per body and puts the
// bar back to 0 at its end; neither makes the export seem to go backwards.
class ReportingProgress : public Progress {
public:
    explicit ReportingProgress(const ExportRenderer::ProgressCallback& report) : report_(report) {}
    void setMax(int max) override { max_ = max; }
    void setPosition(int position) override {
        if (max_ <= 0 || !report_) return;
        const int percent = std::clamp(position * 100 / max_, 0, 99);
        if (percent > reported_) report_(reported_ = percent);
    }
    void paint() override {}

private:
    const ExportRenderer::ProgressCallback& report_;
    int max_ = 0;
    int reported_ = -1;
};

// No window: a cancel asks the transmission to stop, as its stop button does.
class CancelPump : public EventPump {
public:
    CancelPump(const std::atomic<bool>& cancelled, FormState& state)
        : cancelled_(cancelled), state_(state) {}
    void processEvents() override {
        if (cancelled_ || terminationRequested()) state_.stopFlag = 1;
    }
    void waitForEvents() override { processEvents(); }

private:
    const std::atomic<bool>& cancelled_;
    FormState& state_;
};

// The speaker is never chosen in an export.
class NoSpeaker : public SpeakerHardware {
public:
    bool hasBeepService() override { return false; }
    void beep(int32_t, int32_t) override {}
    uint8_t readPort(uint16_t) override { return 0; }
    void writePort(uint16_t, uint8_t) override {}
};

class NoProgress : public Progress {
public:
    void setMax(int) override {}
    void setPosition(int) override {}
    void paint() override {}
};

// The jargon words as the generator writes them into the window, on a clock and a generator
// state of their own: the generator's pauses between draws are not part of the sound.
void writeJargon(FixedControls& controls, TextWindow& text, EventPump& events,
                 const ExportJob& job) {
    const OwnRandomState ownRandom;
    VirtualClock clock(job.format.rate(), job.seed);
    NoProgress progress;
    SourceSelection sources(controls);
    ExerciseGenerator generator(controls, text, progress, clock, events, sources);
    generator.generate(ExerciseKind::Jargon);
}

} // namespace

int64_t ExportRenderer::samplesAt(double ms) const {
    return std::llround(ms * job_.format.rate() / 1000);
}

ExportRenderer::ExportRenderer(ExportJob job, ProgressCallback progress)
    : job_(std::move(job)), progress_(std::move(progress)) {}

bool ExportRenderer::cancelled() const {
    return cancelled_ || terminationRequested();
}

bool ExportRenderer::render(const std::string& path) {
    FormState state;
    FixedControls controls(job_.transmission);
    CardOnlySettings keying(job_.keying);
    BufferTextWindow text;
    text.setText(job_.text);
    CancelPump events(cancelled_, state);
    if (job_.jargon) writeJargon(controls, text, events, job_);
    // The words are known now, and with them how long the sound can grow.
    const double longestMs = longestKeyingMs(job_, text.text());
    RenderSession session(path, job_.format, job_.seed,
                          int64_t(longestMs / 1000 * job_.format.rate()),
                          job_.chain ? job_.chain(job_.format.rate(), job_.seed, ChainStream::Placed) : nullptr);
    if (!session.ok()) {
        error_ = session.error();
        return false;
    }

    ReportingProgress progress(progress_);
    NoSpeaker speaker;
    ToneGenOutput output(session.toneGen(), speaker, session.clock());
    SignPlayer player(keying, output, text, session.clock(), state.timing);
    PauseStopControl pauseStop(controls, progress, events, state);
    TransmissionDriver driver(controls, text, progress, session.clock(), events, state, player,
                              pauseStop);
    SpeechAnswerVoice voice(job_.voice, session.device(), session.clock(), session.rate(),
                            toneLevel(job_.keying.waveform.value_or(TTGWave::tgSine)), job_.reading,
                            [this](const std::string& why) { voiceFailure_ = why; });
    voice.setThroughAir(job_.voiceThroughAir);
    if (job_.spoken.moment != AnswerMoment::Off) driver.setSpokenAnswers(&voice, job_.spoken);
    driver.start();
    for (const auto& [startMs, endMs] : voice.spoken())
        spokenSpans_.emplace_back(samplesAt(startMs), samplesAt(endMs));

    answers_ = text.unicodeText();
    seconds_ = session.keyedMs() / 1000;
    if (cancelled()) {
        session.cancel();
        error_ = "Экспорт отменён.";
        return false;
    }
    if (!session.finish()) {
        error_ = session.error();
        return false;
    }
    if (progress_) progress_(100);
    return true;
}

} // namespace kelvatron
