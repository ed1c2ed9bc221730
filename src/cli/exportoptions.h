#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "keying/signnames.h"
#include "tonegen/tonetypes.h"
#include "transmission/answervoice.h"

namespace kelvatron {

// Exit statuses of a command-line export.
inline constexpr int kExportOk = 0;
inline constexpr int kExportFailed = 1;   // the radiogram or the target could not be used
inline constexpr int kExportBadUsage = 2; // an unknown option or a bad value

enum class ExportBody : uint8_t { Text, Digits, Letters, Mixed, Jargon, Lesson, Callsigns, Qso };

// What `kelvatron --export FILE [options]` asks for. Every option left out stays empty: the
// caller takes it from the learner's stored settings, so the file sounds as the program would.
struct ExportOptions {
    std::string target;                   // --export FILE
    std::optional<ExportBody> body;       // --text / --digits / --letters / --mixed / --jargon
                                          // / --callsigns / --qso
    std::optional<std::string> radiogram; // --text FILE (.dkm, Windows-1251)
    std::optional<int> groups;            // --groups 1..200
    std::optional<int> size;              // --size 1..100, signs per group
    std::optional<uint32_t> seed;         // --seed 0..4294967295
    std::optional<int> dot;               // --dot 10..100, the speed unit in ms
    std::optional<int> frequency;         // --frequency 100..5000 Hz
    std::optional<TTGWave> waveform;      // --waveform sine|square|triangle|sawtooth|noise
    std::optional<int> ratio;             // --ratio 3..6
    std::optional<int> signPause;         // --sign-pause 1..4
    std::optional<int> groupPause;        // --group-pause 1..4
    std::optional<int> effective;         // --effective 5..300 signs a minute (Farnsworth)
    std::optional<int> lesson;            // --lesson 1..44: the course lesson's groups
    std::optional<bool> opening;          // --no-opening: false
    std::optional<bool> closing;          // --no-closing: false
    std::optional<std::string> answers;   // --answers FILE (the keyed text, UTF-8)
    // The air: any of them switches the conditions on, the rest staying as stored (or off).
    std::optional<int> snr;       // --snr -10..30 dB: noise at this signal-to-noise ratio
    std::optional<int> bandwidth; // --bandwidth 100..3000 Hz: the receiver's filter
    std::optional<double> qsb;    // --qsb 0..2 Hz: the fading's rate (0 is none)
    std::optional<int> qrm;       // --qrm 0..5 other stations
    std::optional<int> qrn;       // --qrn 0..100 %: static crashes
    std::optional<AnswerMoment> voice;    // --voice sign|group|repeat
    std::optional<int> voicePause;        // --voice-pause 0..10000 ms
    std::optional<DigitReading> voiceDigits; // --voice-digits digits|number
    std::optional<LatinPhonetics> voiceLatin; // --voice-latin russian|international
    bool voiceAir = false;                // --voice-air: the speech through the air too
    bool help = false;                    // --help: print exportHelpText() and stop
    bool version = false;                 // --version: print versionText() and stop
};

struct ExportParse {
    ExportOptions options;
    std::string
        error; // empty when the command line is good; otherwise a sentence naming the option
    bool ok() const { return error.empty(); }
};

// Whether the program was started to export (or to list the options, or to tell its version)
// rather than to open its window: any argument is --export, --export=FILE, --help, -h or
// --version.
bool isExportCommandLine(std::span<const std::string_view> args);

// Reads the arguments after the program's name. Options take their value as the next argument
// or after '=' (--dot=60); a flag takes none. An option given twice, two bodies, an unknown
// option, a missing or malformed value, or a value out of range is an error naming the option.
ExportParse parseExportOptions(std::span<const std::string_view> args);

// The --help text, in Russian: the window's start and every option of the export.
std::string_view exportHelpText();

// The --version line: the program's name and version.
std::string versionText();

} // namespace kelvatron
