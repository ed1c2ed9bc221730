// The text in the window keyed character by character.
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
// Plain runs of the text in the window.
class TextBody : public TransmissionTest {
protected:
    TextBody() { plainRun(h); }
    Log keyed(const char* utf8) {
        textSource(h, utf8);
        start();
        return h.clock.log;
    }
};
} // namespace

// Before each character: the bar shows the characters keyed, the selection covers them and the
// next one, and the window takes input.
TEST_F(TextBody, LettersAndASpaceWithProgressAndSelection) {
    std::vector<std::vector<int>> before;
    for (int point = 1; point <= 3; ++point)
        h.events.at(point, [&] {
            before.push_back({h.progress.position, h.progress.max, h.text.selStart,
                              h.text.selLength, h.text.inputEnabled});
        });
    EXPECT_EQ(keyed("А Б"), (speakerSigns("А") + Log{"sleep 240"} + speakerSigns("Б")));
    EXPECT_EQ(before,
              (std::vector<std::vector<int>>{{0, 3, 0, 0, 1}, {1, 3, 0, 2, 1}, {2, 3, 0, 3, 1}}));
    EXPECT_EQ(h.events.count, 3);
    EXPECT_EQ(h.progress.position, 0); // the finish puts the bar back
    EXPECT_EQ(h.text.selStart, 0);
    EXPECT_EQ(fromCp1251(h.text.text()), "А Б"); // keyed text is never changed
    EXPECT_FALSE(h.text.inputEnabled);
}

TEST(TextBodies, EachCharacterKeysItsSignOrNothing) {
    struct Case {
        const char* text;
        int length; // the bar's maximum and the final selection
        Log log;
    };
    const Case cases[] = {
        {"vVжЖ-qяЯJь09,/?", 15, speakerSigns("ЖЖЖЖ ЩЯЯЙЬ09,/?")},
        // No sound and no pause; the line break counts as two characters.
        {"ЪъЁё\n!\"=+_*@#;:'()ё[`{", 23, {}},
        // The full stop is Т Ч К between two group pauses.
        {"1.2", 3,
         speakerSigns("1") + Log{"sleep 240"} + speakerSigns("ТЧК") + Log{"sleep 240"} +
             speakerSigns("2")},
        // A no-break space (byte A0 of a loaded radiogram) keys no sign and no group pause.
        {"А\u00A0Б", 3, speakerSigns("АБ")},
        // The group pause is derived only when an element sounds: none yet before the first.
        {" А ", 3, Log{"sleep 0"} + speakerSigns("А") + Log{"sleep 240"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EngineHarness h;
        plainRun(h);
        textSource(h, c.text);
        clickStart(h);
        EXPECT_EQ(h.clock.log, c.log);
        EXPECT_EQ(h.progress.max, c.length);
        EXPECT_EQ(h.text.selLength, c.length);
    }
}

// Edits ahead of the keying take effect; a text cut short ends the body at its new end, and the
// finish follows as after any complete body, closing included.
TEST_F(TextBody, EditsAheadOfTheKeyingTakeEffect) {
    h.controls.settings.closing = true;
    h.events.at(2, [&] { h.text.setText(toCp1251("АГВ")); });
    EXPECT_EQ(keyed("АБВ"), speakerSigns("АГВ") + closing());
    h.clearRecords();
    h.events.at(2, [&] { h.text.setText(toCp1251("АБ")); });
    const int points = h.events.count;
    EXPECT_EQ(keyed("АБВГ"), speakerSigns("АБ") + closing());
    EXPECT_EQ(h.events.count - points, 3); // the check before the third character is the last
    EXPECT_FALSE(h.text.inputEnabled);
    EXPECT_FALSE(h.controls.start);
}
