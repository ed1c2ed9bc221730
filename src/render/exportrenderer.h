#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "audio/signalchain.h"
#include "core/speechsynthesizer.h"
#include "keying/keyingsettings.h"
#include "keying/signnames.h"
#include "render/sampletimeline.h"
#include "transmission/answervoice.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

// What an export keys: the start button's choices as values, taken once from the window or the
// command line.
struct ExportJob {
    TransmissionSettings transmission;
    // The sound card's settings; the speaker option is ignored (a file holds the card's sound).
    KeyingSettings keying;
    std::string text;    // the window's text (Windows-1251), keyed when the source is the text
    bool jargon = false; // radio-jargon words replace the text first, as the generator writes them
    uint32_t seed = 0;   // the same seed and settings give the same groups
    ToneFormat format;   // the window's tone generator: 8-bit at 96000 Hz
    SignalChainMaker chain; // the stages the sound passes on its way into the file (from seed)
    // The answers spoken into the file after the Morse (off unless asked), and the voice.
    SpokenAnswers spoken;
    AnswerReading reading;
    SpeechSynthesizerMaker voice;
    bool voiceThroughAir = false; // the speech passes the chain too; else it is mixed clean after it
};

// Renders a job into an audio file exactly as the start button would key it: the window's own
// transmission and sign player on a virtual clock, each element laid on the sample timeline.
// One renderer renders once; its engine objects and its random generator state are its own, so
// it may run on any thread, beside other renders, while another thread calls cancel().
class ExportRenderer {
public:
    // Called with 0..100 as the keying goes on, on the rendering thread.
    using ProgressCallback = std::function<void(int percent)>;

    explicit ExportRenderer(ExportJob job, ProgressCallback progress = {});

    // Keys the job into the file at path; false with error() when the file could not be written
    // or the render was cancelled (then nothing is left at path).
    bool render(const std::string& path);
    // Safe from any thread: the keying stops at its next sign and no file is written. A request
    // to end the program (terminationRequested) cancels too.
    void cancel() { cancelled_ = true; }
    bool cancelled() const;
    const std::string& error() const { return error_; }
    // The keyed text in UTF-8 with '\n' line breaks: the answer sheet.
    const std::string& answers() const { return answers_; }
    // Length of the rendered sound.
    double seconds() const { return seconds_; }
    // Why the answers could not be spoken (the file then holds the Morse alone); empty when
    // they were, or none were asked for.
    const std::string& voiceFailure() const { return voiceFailure_; }
    // Where the answers are spoken in the file, in samples: [first, end) each.
    const std::vector<std::pair<int64_t, int64_t>>& spokenSpans() const { return spokenSpans_; }

private:
    int64_t samplesAt(double ms) const;

    ExportJob job_;
    ProgressCallback progress_;
    std::atomic<bool> cancelled_{false};
    std::string error_;
    std::string answers_;
    double seconds_ = 0;
    std::string voiceFailure_;
    std::vector<std::pair<int64_t, int64_t>> spokenSpans_;
};

} // namespace kelvatron
