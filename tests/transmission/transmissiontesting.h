#pragma once
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/cp1251.h"
#include "core/random.h"
#include "exercises/generationsets.h"
#include "keying/signtable.h"
#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

namespace kelvatron::test {

using Log = std::vector<std::string>;

inline Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The code of the sign for one character written in UTF-8 ("Щ" -> "--.-").
inline std::string_view codeOf(const char* utf8) {
    auto index = FindSign(toCp1251(utf8));
    if (!index) throw std::invalid_argument(utf8);
    return SignTable[*index].Code;
}

// What the default settings key on the speaker for one sign: each element (dot 40, dash 120 ms)
// and a dot's silence, then the pause after a sign.
inline Log speakerSign(std::string_view code) {
    Log out;
    for (char e : code)
        out = out + Log{e == '.' ? "beep 800 40" : "beep 800 120", "sleep 40"};
    out.push_back("sleep 120");
    return out;
}

// The same for a sequence of characters, each written in UTF-8.
inline Log speakerSigns(std::initializer_list<const char*> characters) {
    Log out;
    for (const char* c : characters)
        out = out + speakerSign(codeOf(c));
    return out;
}

// Ж Ж Ж and the break sign, then three group pauses; three group pauses, then А Р.
inline Log opening() {
    return speakerSigns({"Ж", "Ж", "Ж", " "}) + Log{"sleep 720"};
}
inline Log closing() {
    return Log{"sleep 720"} + speakerSigns({"А", "Р"});
}

// A window set up for one transmission without opening and closing, so that the log holds only
// the body.
inline void plainRun(TForm1& f) {
    f.glCheckBox20->setChecked(false);
    f.glCheckBox21->setChecked(false);
}

inline void textSource(TForm1& f, const char* utf8) {
    f.glCheckBox7->click();
    f.Memo1->setText(toCp1251(utf8));
}

inline void groups(TForm1& f, double size, double count) {
    f.glDigits9->setValue(size);
    f.glDigits10->setValue(count);
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
            d.log = d.log + speakerSign(SignTable[*FindSign(std::string(1, keyed))].Code);
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

inline std::string memoText(TForm1& f) {
    return fromCp1251(f.Memo1->Text());
}

// A window on fakes for one test; start() clicks the start button.
class FormTest : public ::testing::Test {
protected:
    void start() { f.glCheckBox8->click(); }
    FormHarness h;
    TForm1& f = *h.form;
};

} // namespace kelvatron::test
