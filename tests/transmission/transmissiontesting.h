#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1251.h"
#include "core/random.h"
#include "keying/generationsets.h"
#include "keying/signtable.h"
#include "support/engineharness.h"
#include "support/soundedcode.h"

namespace kelvatron::test {

// What the default settings key on the speaker for each sign of a UTF-8 text (a space is the
// break sign).
inline Log speakerSigns(std::string_view utf8) {
    Log out;
    for (char c : toCp1251(utf8))
        out = out + speakerSign(kSignTable[findSign({&c, 1}).value()].code);
    return out;
}
inline Log speakerSigns(std::initializer_list<const char*> characters) {
    std::string all;
    for (const char* c : characters)
        all += c;
    return speakerSigns(all);
}

// Ж Ж Ж and the break sign, then three group pauses; three group pauses, then А Р.
inline Log opening() {
    return speakerSigns("ЖЖЖ ") + Log{"sleep 720"};
}
inline Log closing() {
    return Log{"sleep 720"} + speakerSigns("АР");
}

// The user's clicks as the window passes them on: an option or button toggles, then its handler
// runs (the stop button's state means nothing).
inline void clickStart(EngineHarness& h) {
    h.controls.start = !h.controls.start;
    h.transmission.start();
}
inline void clickPause(EngineHarness& h) {
    h.controls.pause = !h.controls.pause;
    h.pauseStop.readPauseButton();
}
inline void clickStop(EngineHarness& h) {
    h.pauseStop.stop();
}
inline void clickSource(EngineHarness& h, TransmissionSource source) {
    h.sourceSelection.choose(source);
}

// One transmission without opening and closing, so that the log holds only the body.
inline void plainRun(EngineHarness& h) {
    h.controls.settings.opening = false;
    h.controls.settings.closing = false;
}

inline void textSource(EngineHarness& h, const char* utf8) {
    clickSource(h, TransmissionSource::TextInWindow);
    h.text.setText(toCp1251(utf8));
}

inline void groups(EngineHarness& h, double size, double count) {
    h.controls.settings.groupSize = size;
    h.controls.settings.groupCount = count;
}

inline void latinAlphabet(EngineHarness& h) {
    h.controls.settings.cyrillic = false;
    h.controls.settings.latin = true;
}

// What one generated body keys and writes at the default speaker settings, drawn from the seed
// the fake clock hands out (12345 unless a test sets another): every sign, two spaces and a group
// pause after each group. With stopAfter the body ends before that many signs.
struct Draws {
    Log log;
    std::string written; // Windows-1251
};

inline Draws expectedGroups(GenerationSetKind kind, int size, int count, int stopAfter = -1) {
    const std::string_view set = generationSet(kind);
    RandSeed = 12345;
    Draws d;
    int drawn = 0;
    for (int g = 0; g < count; ++g) {
        for (int i = 0; i < size; ++i) {
            if (drawn++ == stopAfter) return d;
            const char entry = set[Random(uint32_t(set.size()))];
            const char keyed = latinPartner(entry).value_or(entry);
            d.log = d.log + speakerSign(kSignTable[*findSign(std::string(1, keyed))].code);
            d.written += entry;
        }
        d.log.push_back("sleep 240");
        d.written += "  ";
    }
    return d;
}

inline Draws digitGroups(int size, int count, int stopAfter = -1) {
    return expectedGroups(GenerationSetKind::Digits, size, count, stopAfter);
}

// What the window shows of a transmission: start and pause buttons, stop and pause flags, the bar
// (position/maximum), hint options locked, text input, key preview, whether one runs, the
// alignment of the text.
inline std::string controlState(const EngineHarness& h) {
    std::ostringstream s;
    s << "start=" << h.controls.start << " pause=" << h.controls.pause
      << " stop=" << int(h.state.stopFlag) << " paused=" << int(h.state.pauseFlag)
      << " bar=" << h.progress.position << "/" << h.progress.max
      << " locked=" << h.controls.hintsLocked << " input=" << h.text.inputEnabled
      << " preview=" << h.state.keyPreview << " running=" << h.state.transmitting
      << " align=" << int(h.text.alignment);
    return s.str();
}

// The engine on fakes for one test; start() clicks the start button.
class TransmissionTest : public ::testing::Test {
protected:
    void start() { clickStart(h); }
    EngineHarness h;
};

} // namespace kelvatron::test
