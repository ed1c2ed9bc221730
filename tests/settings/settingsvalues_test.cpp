// The textual forms of stored settings, the loading order and its failures, and the mending of
// loaded values, without a window.
#include <gtest/gtest.h>
#include <map>

#include "settings/settingsdefaults.h"
#include "settings/settingsfilecheck.h"
#include "settings/settingsloader.h"
#include "settings/settingsmending.h"
#include "settings/settingstext.h"

using namespace kelvatron;

namespace {

ValueLookup lookupInMap(const std::map<std::string, StoredValue>& stored) {
    return [&stored](std::string_view name) -> std::optional<StoredValue> {
        auto it = stored.find(std::string(name));
        if (it == stored.end()) return std::nullopt;
        return it->second;
    };
}

StoredValue text(std::string t) {
    return {true, std::move(t)};
}

// The layout defaults with some entries changed.
PropValues defaults(std::initializer_list<std::pair<std::size_t, double>> changes = {}) {
    PropValues values = kLayoutDefaults;
    for (auto [index, value] : changes)
        values[index] = value;
    return values;
}

} // namespace

TEST(SettingsText, NumbersAreWrittenShortestWithoutALocaleAndReadStrictly) {
    EXPECT_EQ(floatText(800), "800");
    EXPECT_EQ(floatText(0.1 + 0.2), "0.3"); // 15 significant digits, not 17
    EXPECT_EQ(floatText(1e20), "1e+20");
    for (double v : {0.0, 0.25, 123456789012345.0, 1e-7, -42.5})
        EXPECT_EQ(parseFloatText(floatText(v)), v) << v; // every written float reads back exactly
    // Read strictly; integers are signed 32-bit whole numbers.
    EXPECT_EQ(parseFloatText(" 1200\t"), 1200);
    EXPECT_EQ(parseFloatText("2,5"), 2.5); // written where the comma is the decimal separator
    for (const char* bad : {"", "12A", "1,2,3", "inf", "nan", "1e999", "0x10", "1 2"})
        EXPECT_FALSE(parseFloatText(bad)) << bad;
    EXPECT_EQ(parseIntegerText(" -7 "), -7);
    EXPECT_EQ(parseIntegerText("2147483647"), 2147483647);
    for (const char* bad : {"", "3.0", "2147483648"})
        EXPECT_FALSE(parseIntegerText(bad)) << bad;
}

// A long value is cut after 40 characters however many bytes each takes, never inside one; a
// stray continuation byte is a character of its own, as the decoder reads it.
TEST(SettingsText, LongValuesAreCutByCharacters) {
    const auto times = [](const std::string& piece, int count, std::string text = {}) {
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    EXPECT_EQ(quotedValue(times("x", 40)), times("x", 40, "'") + "'");
    for (const std::string piece : {"x", "Ж", "\xF0\x9F\x98\x80", "\x80"})
        EXPECT_EQ(quotedValue(times(piece, 41)), times(piece, 40, "'") + "…'") << piece;
}

TEST(SettingsLoader, MissingValuesKeepTheDefaultsAndTextIsReadByKind) {
    std::map<std::string, StoredValue> stored = {{"glDigits5.Value", text("1200")},
                                                 {"glProgress1.Percent", text("35")},
                                                 {"glCheckBox14.Checked", text("1")},
                                                 {"glCheckBox13.Checked", text("0")},
                                                 {"glCheckBox3.Checked", text("7")}};
    PropValues values = defaults();
    EXPECT_TRUE(loadProps(lookupInMap(stored), values).empty());
    // glCheckBox3: any ordinal but 0 is True.
    EXPECT_EQ(values, defaults({{0, 1200},
                                {prop::Speed, 35},
                                {prop::FirstOutput, 0},
                                {prop::FirstOutput + 1, 1},
                                {prop::FirstBoolean + 6, 1}}));
}

// What the program writes is plain UTF-8 text; anything else means a damaged file.
TEST(SettingsFileCheck, ControlBytesAndBrokenUtf8AreDamage) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"[Form1]\r\nglDigits5.Value=800\n\tЖ=1\n", std::nullopt},
        {std::string("[Form1]\n\0\0", 10), "двоичные данные: байт 0x00 на позиции 8"},
        {"a=\x7F", "двоичные данные: байт 0x7F на позиции 2"},
        {"a=\xD0", "не текст UTF-8: байт 0xD0 на позиции 2"},
        {"\xFF\xFE[", "не текст UTF-8: байт 0xFF на позиции 0"},
    };
    for (const auto& [bytes, damage] : cases)
        EXPECT_EQ(settingsTextDamage(bytes), damage) << damage.value_or("fine");
}

// Text is a settings file only when every line is one a settings file holds, values under a
// group: another file linked or copied in its place is recognised by its first other line.
TEST(SettingsFileCheck, OtherTextIsNoSettingsFile) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", std::nullopt},
        {"; comment\n\n[Form1]\r\n  glDigits5.Value = 800 \n# more\n[Training]\nx=\n",
         std::nullopt},
        {"[Form1]\nlist=a, \\\nb\n", std::nullopt}, // a value continued on the next line
        {"root:x:0:0:root:/root:/bin/bash\n", "строка 1 — не строка настроек"},
        {"PATH=/usr/bin\n", "строка 1 — не строка настроек"}, // a value under no group
        {"[Form1]\na=1\n\nJust words.\n", "строка 4 — не строка настроек"},
        {"[Form1]\n=1\n", "строка 2 — не строка настроек"},
    };
    for (const auto& [text, foreign] : cases)
        EXPECT_EQ(foreignSettingsText(text), foreign) << text;
}

// The stored place moves the window, which keeps its size; an unknown state is not taken.
TEST(SettingsLoader, TheWindowKeepsItsSizeAndOnlyKnownStatesAreTaken) {
    auto load = [](std::map<std::string, StoredValue> stored, LoadProblems problems) {
        WindowPlace p{10, 20, 802, 593, 0};
        EXPECT_EQ(loadWindowPlace(lookupInMap(stored), p), problems);
        return std::vector<int>{p.left, p.top, p.right - p.left, p.bottom - p.top, p.state};
    };
    EXPECT_EQ(load({{".Left", text("100")},
                    {".Top", text("-50")},
                    {".Right", text("5")},
                    {".Bottom", text("5")},
                    {".WindowState", text("1")}},
                   {}),
              (std::vector<int>{100, -50, 792, 573, 1}));
    EXPECT_EQ(load({{".WindowState", text("7")}}, {}).at(4), 0);
    EXPECT_EQ(load({{".Left", text("100")}, {".WindowState", {false, ""}}},
                   {"Could not load property .WindowState: invalid data type (not text)"}),
              (std::vector<int>{100, 20, 792, 573, 0}));
}

TEST(SettingsMending, DisplaysGoToTheNearestStepWithinTheirRange) {
    struct Case {
        std::size_t index;
        double loaded, mended;
    };
    for (Case c : {Case{0, 850, 900}, Case{0, 849, 800}, Case{0, 40, 100}, Case{5, 1e300, 200}}) {
        PropValues values = defaults();
        values[c.index] = c.loaded;
        mendProps(values, defaults());
        EXPECT_EQ(values[c.index], c.mended) << c.index << " " << c.loaded;
    }
    PropValues values = defaults();
    for (double speed : {9.0, 57.0, 101.0}) {
        values[prop::Speed] = speed;
        mendProps(values, defaults());
        EXPECT_EQ(values[prop::Speed], std::clamp(speed, 10.0, 100.0)) << speed;
    }
    values = defaults();
    mendProps(values, defaults());
    EXPECT_EQ(values, defaults()); // valid settings stay as they are
}

// The window applies this mending to whatever it loaded. Sources: the third and fourth; outputs:
// none; waveforms: square and noise. The speaker comes back as the default output.
TEST(SettingsMending, EachChoiceEndsWithExactlyOneOption) {
    using namespace prop;
    PropValues values = defaults({{FirstSource, 0},
                                  {FirstSource + 2, 1},
                                  {FirstSource + 3, 1},
                                  {FirstOutput, 0},
                                  {FirstWaveform, 0},
                                  {FirstWaveform + 1, 1},
                                  {FirstWaveform + 4, 1}});
    mendProps(values, defaults());
    EXPECT_EQ(
        values,
        defaults(
            {{FirstSource, 0}, {FirstSource + 2, 1}, {FirstWaveform, 0}, {FirstWaveform + 1, 1}}));
}
