#pragma once
#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/textwindow.h"
#include "keying/alphabetdisplay.h"
#include "keying/keyingsettings.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron::test {

// The parts of the window the engine sees, as plain values a test sets and reads. Defaults are
// the window's own at first start: speaker, 800 Hz, speed unit 20 ms, ratio 3, pauses 1, hints
// symbol and code, groups of 5, 10 groups, digits, opening and closing, Cyrillic.
struct FakeKeyingSettings : KeyingSettingsSource {
    KeyingSettings keyingSettings() const override { return settings; }
    SignHints signHints() const override { return hints; }
    KeyingSettings settings{true, false, 800, TTGWave::tgSine, 20, 3, 1, 1};
    SignHints hints{true, true, false};
};

// A text held as Windows-1251 bytes with CR LF line breaks.
struct FakeTextWindow : TextWindow {
    std::string text() const override { return bytes; }
    std::string unicodeText() const override { return bytes; }
    // As the editor does: a bare line feed becomes CR LF, a selection ends at the text's end.
    void setText(std::string_view cp1251) override {
        bytes.clear();
        for (size_t i = 0; i < cp1251.size(); ++i) {
            if (cp1251[i] == '\n' && (i == 0 || cp1251[i - 1] != '\r')) bytes += '\r';
            bytes += cp1251[i];
        }
        noLines = bytes.empty();
        changed();
    }
    void clear() override { setText({}); }
    void addLine(std::string_view cp1251) override {
        if (!noLines) bytes += "\r\n";
        append(cp1251);
    }
    void append(std::string_view cp1251) override {
        bytes += cp1251, noLines = false;
        changed();
    }
    void beginBatch() override { ++batches; }
    void endBatch() override {}
    void select(int start, int length) override {
        selStart = std::clamp(start, 0, int(bytes.size()));
        selLength = std::clamp(length, 0, int(bytes.size()) - selStart);
    }
    void setAlignment(TextAlignment a) override { alignment = a; }
    void setInputEnabled(bool enabled) override { inputEnabled = enabled; }
    void focus() override {}
    void paint() override {}
    void paintAll() override {}

    // Called after every change of the text.
    std::function<void()> onChange;
    void changed() {
        if (onChange) onChange();
    }

    std::string bytes;
    bool noLines = true;
    int selStart = 0, selLength = 0, batches = 0;
    TextAlignment alignment = TextAlignment::Left;
    bool inputEnabled = true;
};

struct FakeProgress : Progress {
    void setMax(int m) override { max = m; }
    void setPosition(int p) override { position = p; }
    void paint() override {}
    int max = 100, position = 0;
};

struct FakeTransmissionControls : TransmissionControls {
    TransmissionSettings transmissionSettings() const override { return settings; }
    void setSourceChecked(TransmissionSource source, bool checked) override {
        bool* options[] = {&settings.digits, &settings.letters, &settings.digitsAndLetters,
                           &settings.textInWindow};
        *options[static_cast<int>(source)] = checked;
    }
    bool startChecked() const override { return start; }
    void setStartChecked(bool checked) override { start = checked; }
    bool pauseChecked() const override { return pause; }
    void setPauseChecked(bool checked) override { pause = checked; }
    void lockHints(bool locked) override { hintsLocked = locked; }

    TransmissionSettings settings{5, 10, true, false, false, false, true, true, true, false};
    bool start = false, pause = false, hintsLocked = false;
};

struct FakeAlphabetDisplay : AlphabetDisplay {
    void markAlphabet(bool) override {}
    void enablePunctuationKeys(bool) override {}
    void setLetterCaptions(bool) override {}
};

} // namespace kelvatron::test
