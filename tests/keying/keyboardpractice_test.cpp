#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/cyrillic.h"
#include "support/engineharness.h"
#include "support/soundedcode.h"

using namespace kelvatron;
using kelvatron::test::EngineHarness;
using Log = kelvatron::test::Log;

namespace {

// The window's text for a shown sign: lines blank, symbol, blank, code, blank.
std::string shown(const char* symbol, const char* code) {
    return " \r\n" + toCp1251(symbol) + "\r\n \r\n" + code + "\r\n ";
}

class KeyboardPracticeTest : public ::testing::Test {
protected:
    std::string soundedCode() const { return test::soundedCode(h.clock.log); }
    std::string typed(char key) {
        h.clearRecords();
        h.keyboardPractice.typeKey(key);
        return soundedCode();
    }
    // A click on a key of the on-screen keyboard, named by its caption.
    void clickKey(const char* caption) { h.keyboardPractice.pressKey(caption); }

    EngineHarness h;
};

} // namespace

TEST_F(KeyboardPracticeTest, ClickedKeyShowsCentredSignAndWaitsTheSignPauseTwice) {
    h.progress.position = 40;
    clickKey("Й");
    EXPECT_EQ(h.text.text(), shown("Й", ".---"));
    EXPECT_EQ(h.text.alignment, TextAlignment::Centre);
    EXPECT_FALSE(h.text.inputEnabled);
    EXPECT_EQ(h.progress.position, 0);
    EXPECT_EQ(h.clock.log, test::speakerSign(".---") + Log{"sleep 120"});
}

TEST_F(KeyboardPracticeTest, LatinKeyAndSpaceKeySoundTheirSigns) {
    clickKey("Q"); // the key's Latin caption keys its partner
    EXPECT_EQ(h.text.text(), shown("Щ", "--.-"));
    EXPECT_EQ(soundedCode(), "--.-");
    EXPECT_EQ(h.clock.log.back(), "sleep 120");
    h.clearRecords();
    h.text.inputEnabled = true;
    h.keyboardPractice.pressSpace();
    EXPECT_EQ(soundedCode(), "-...-");
    EXPECT_FALSE(h.text.inputEnabled);
    EXPECT_EQ(h.text.text(), shown(" ", "-...-"));
}

TEST_F(KeyboardPracticeTest, UnmappedKeysSoundNothingButWaitAndLeaveTheWindowAlone) {
    typed('5');
    const std::string before = h.text.text();
    h.text.alignment = TextAlignment::Left;
    for (char key : {'.', win1251("ъ"), '\x1b'}) {
        EXPECT_EQ(typed(key), "") << int(key);
        EXPECT_EQ(h.clock.log, (Log{"sleep 120"}));
        EXPECT_EQ(h.text.text(), before);
    }
    EXPECT_EQ(h.text.alignment, TextAlignment::Centre); // centred for every key
    // Nothing was left in the buffer: the next mapped key sounds its own sign at once.
    h.clearRecords();
    h.keyboardPractice.typeKey('5');
    EXPECT_EQ(h.clock.log.front(), "beep 800 40");
    EXPECT_EQ(soundedCode(), ".....");
}
