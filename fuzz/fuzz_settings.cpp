// Feeds arbitrary bytes as the settings file through what a start does with it: the INI reading,
// the window values and the kProps entries in order, and the mending of what was loaded. Whatever
// the file holds, the controls must end with values the steppers and choices can work with, and
// those values must survive being written and read again unchanged.
#include <QFile>
#include <QSettings>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>

#include "core/utf8.h"
#include "settings/settingsbackend.h"
#include "settings/settingsfilecheck.h"
#include "settings/settingsloader.h"
#include "settings/settingsmending.h"
#include "settings/settingstext.h"

using namespace kelvatron;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// The layout's defaults, in kProps order.
constexpr PropValues kDefaults = {800, 3, 1, 1, 5, 10, 20, 1, 0, 0, 0, 1,
                                  1,   0, 1, 0, 1, 0,  0,  0, 0, 1, 1};
constexpr WindowPlace kCurrentPlace{100, 50, 892, 623, 0};

std::string& scratchFolder() {
    static std::string folder;
    return folder;
}

// A fresh file name per input: Qt keeps recently used settings files in memory and could
// otherwise hand back the previous input.
QString nextFileName() {
    static const std::string& folder = []() -> std::string& {
        char pattern[] = "/tmp/fuzz_settings_XXXXXX";
        check(mkdtemp(pattern) != nullptr);
        scratchFolder() = pattern;
        // Each input's file is removed after use; the folder goes when the run ends.
        std::atexit([] { rmdir(scratchFolder().c_str()); });
        return scratchFolder();
    }();
    static unsigned long counter = 0;
    return QString::fromStdString(folder + "/" + std::to_string(counter++) + ".conf");
}

// Inputs whose first byte is odd are the window's section, where a line that begins with a byte
// below 28 begins with the name of that kProps entry (0..22) or window value (23..27) instead, so
// that random inputs reach every entry. Other inputs are the whole file as they are.
std::string fileBytes(std::string_view input) {
    if (input.empty() || (uint8_t(input[0]) & 1) == 0) return std::string(input);
    std::string file = "[Form1]\n";
    bool lineStart = true;
    for (char c : input.substr(1)) {
        const auto code = uint8_t(c);
        if (lineStart && code < kPropCount)
            file += kProps[code].path;
        else if (lineStart && code < kPropCount + kWindowValueNames.size())
            file += kWindowValueNames[code - kPropCount];
        else
            file += c;
        lineStart = c == '\n';
    }
    return file;
}

// Characters as the message's cut counts them: a value is cut after kLongestQuotedValue of them,
// and one character may take up to four bytes.
std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        at += decodeUtf8At(text, at).length;
    return count;
}

// Every problem names its entry in a line of readable length, whatever the value's size.
void checkProblems(const LoadProblems& problems) {
    for (const std::string& line : problems) {
        check(line.rfind("Could not load property ", 0) == 0);
        check(characters(line) < 160);
    }
}

int checkedCount(const PropValues& values, std::size_t first, std::size_t count) {
    int checked = 0;
    for (std::size_t i = first; i < first + count; ++i)
        checked += values[i] == 1;
    return checked;
}

void checkMended(const PropValues& values) {
    for (std::size_t i = 0; i < prop::DisplayCount; ++i) {
        const StepperRange& range = kDisplayRanges[i];
        const double v = values[prop::FirstDisplay + i];
        check(v >= range.low && v <= range.high);
        check(std::fmod(v - range.low, range.step) == 0);
    }
    const double speed = values[prop::Speed];
    check(speed >= kFastestSpeed && speed <= kSlowestSpeed && speed == std::round(speed));
    for (std::size_t i = prop::FirstBoolean; i < kPropCount; ++i)
        check(values[i] == 0 || values[i] == 1);
    check(checkedCount(values, prop::FirstSource, 4) == 1);
    check(checkedCount(values, prop::FirstOutput, 2) == 1);
    check(checkedCount(values, prop::FirstWaveform, 5) == 1);
}

// What the store writes for the mended values loads back as the same values.
void checkRoundTrip(const PropValues& values) {
    std::map<std::string, StoredValue, std::less<>> written;
    for (std::size_t i = 0; i < kPropCount; ++i)
        written[std::string(kProps[i].path)] = StoredValue{true, propText(kProps[i].kind, values[i])};
    const ValueLookup lookup = [&written](std::string_view name) -> std::optional<StoredValue> {
        auto it = written.find(name);
        if (it == written.end()) return std::nullopt;
        return it->second;
    };
    PropValues reloaded = kDefaults;
    check(loadProps(lookup, reloaded).empty());
    check(reloaded == values);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString fileName = nextFileName();
    {
        QFile file(fileName);
        check(file.open(QIODevice::WriteOnly));
        const std::string bytes =
            fileBytes(std::string_view(reinterpret_cast<const char*>(data), size));
        file.write(bytes.data(), qint64(bytes.size()));
    }
    PropValues values = kDefaults;
    {
        QSettings settings(fileName, QSettings::IniFormat);
        settings.beginGroup(kSettingsSection);
        const ValueLookup lookup = lookupIn(settings);
        WindowPlace place = kCurrentPlace;
        checkProblems(loadWindowPlace(lookup, place));
        check(place.right - place.left == kCurrentPlace.right - kCurrentPlace.left);
        check(place.bottom - place.top == kCurrentPlace.bottom - kCurrentPlace.top);
        check(place.state >= 0 && place.state <= 2);
        checkProblems(loadProps(lookup, values));
    }
    QFile::remove(fileName);
    mendProps(values, kDefaults);
    checkMended(values);
    checkRoundTrip(values);

    // The same bytes as one stored value: refused, or a finite number whose text reads back to
    // the same text.
    const std::string_view asText(reinterpret_cast<const char*>(data), size);
    if (std::optional<double> v = parseFloatText(asText)) {
        check(std::isfinite(*v));
        const std::optional<double> again = parseFloatText(floatText(*v));
        check(again && floatText(*again) == floatText(*v));
    }
    parseIntegerText(asText);
    settingsTextDamage(asText);
    foreignSettingsText(asText);
    return 0;
}
