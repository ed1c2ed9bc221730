#include "mainwindow/voiceoptions.h"

#include <QSettings>
#include <array>
#include <string_view>

#include "settings/settingsbackend.h"

namespace kelvatron {

namespace {

constexpr char kVoiceSection[] = "Voice";

// The stored words, in the order of each choice's values.
constexpr std::array<std::string_view, 4> kMoments = {"off", "sign", "group", "repeat"};
constexpr std::array<std::string_view, 2> kDigits = {"digits", "number"};
constexpr std::array<std::string_view, 2> kLatin = {"russian", "international"};

template <class Value, size_t N>
Value stored(QSettings& settings, const char* key, const std::array<std::string_view, N>& words,
             Value fallback) {
    const std::string text = settings.value(QString::fromLatin1(key)).toString().toStdString();
    for (size_t i = 0; i < N; ++i)
        if (words[i] == text) return static_cast<Value>(i);
    return fallback;
}

} // namespace

VoiceOptions loadVoiceOptions() {
    VoiceOptions o;
    std::unique_ptr<QSettings> settings = openUserSettings(kVoiceSection);
    o.answers.moment = stored(*settings, "answers", kMoments, o.answers.moment);
    bool number = false;
    const int pause = settings->value(QStringLiteral("pauseMs")).toString().toInt(&number);
    if (number && pause >= 0 && pause <= 10000) o.answers.pauseMs = pause;
    o.reading.digits = stored(*settings, "digits", kDigits, o.reading.digits);
    o.reading.latin = stored(*settings, "latin", kLatin, o.reading.latin);
    o.throughAir = settings->value(QStringLiteral("throughAir")).toString() == QStringLiteral("1");
    return o;
}

void saveVoiceOptions(const VoiceOptions& o) {
    std::unique_ptr<QSettings> settings = openUserSettings(kVoiceSection);
    writeText(*settings, "answers", std::string(kMoments[size_t(o.answers.moment)]));
    writeText(*settings, "pauseMs", std::to_string(o.answers.pauseMs));
    writeText(*settings, "digits", std::string(kDigits[size_t(o.reading.digits)]));
    writeText(*settings, "latin", std::string(kLatin[size_t(o.reading.latin)]));
    writeText(*settings, "throughAir", o.throughAir ? "1" : "0");
    settings->endGroup();
    settings->sync();
}

} // namespace kelvatron
