#include "cli/exportcommand.h"

#include <random>

#include "audio/airchain.h"
#include "core/filepaths.h"
#include "core/random.h"
#include "exercises/callsigngenerator.h"
#include "exercises/contactgenerator.h"
#include "radiograms/radiogramfile.h"
#include "render/audioformat.h"
#include "training/coursemode.h"
#include "transmission/storedsettings.h"

namespace kelvatron {

namespace {

void chooseSource(TransmissionSettings& t, ExportBody body) {
    t.digits = body == ExportBody::Digits;
    t.letters = body == ExportBody::Letters;
    t.digitsAndLetters = body == ExportBody::Mixed;
    t.textInWindow = body == ExportBody::Text || body == ExportBody::Jargon ||
                     body == ExportBody::Lesson || body == ExportBody::Callsigns ||
                     body == ExportBody::Qso;
}

TransmissionSettings transmissionOf(const ExportOptions& o, const PropValues& stored) {
    TransmissionSettings t = transmissionSettingsOf(stored);
    t.groupSize = o.size.value_or(t.groupSize);
    t.groupCount = o.groups.value_or(t.groupCount);
    if (o.body) chooseSource(t, *o.body);
    t.opening = o.opening.value_or(t.opening);
    t.closing = o.closing.value_or(t.closing);
    t.cyrillic = true;
    return t;
}

// Always the sound card's timing, whichever output the window has.
KeyingSettings keyingOf(const ExportOptions& o, const PropValues& stored) {
    KeyingSettings k = keyingSettingsOf(stored);
    k.speaker = false;
    k.soundCard = true;
    k.frequency = o.frequency.value_or(k.frequency);
    k.ratio = o.ratio.value_or(k.ratio);
    k.signPause = o.signPause.value_or(k.signPause);
    k.groupPause = o.groupPause.value_or(k.groupPause);
    k.speedUnit = o.dot.value_or(k.speedUnit);
    k.effectiveSignsPerMinute = o.effective.value_or(0);
    if (o.waveform) k.waveform = *o.waveform;
    return k;
}

// A course lesson's groups in the default Cyrillic order, drawn from the export's seed and as
// long as the lesson is at the export's pace (a minute of groups of five).
std::string lessonText(int lesson, const ExportJob& job) {
    const LessonOrderParse parsed = parseLessonOrder(defaultLessonOrder(false), false);
    const LessonOrder order(parsed.signsCp1251);
    const CourseSettings settings;
    const KeyingSettings& k = job.keying;
    const KeyingPace pace{double(k.cardDotMs()), k.ratio, k.signPause, k.groupPause,
                          k.effectiveSignsPerMinute};
    const CourseMode course(
        order, [lesson] { return lesson; }, [pace] { return pace; }, settings);
    uint32_t seed = job.seed;
    return course.plan(lesson, [&seed](uint32_t n) { return Random(seed, n); }).text;
}

AirConditions airOf(const ExportOptions& o, AirConditions air, const KeyingSettings& k) {
    if (o.snr || o.bandwidth || o.qsb || o.qrm || o.qrn) air.on = true;
    if (o.snr) air.noise = true, air.snrDb = *o.snr;
    air.bandwidthHz = o.bandwidth.value_or(air.bandwidthHz);
    air.qsbHz = o.qsb.value_or(air.qsbHz);
    air.qrmStations = o.qrm.value_or(air.qrmStations);
    air.qrnPercent = o.qrn.value_or(air.qrnPercent);
    air.toneHz = k.frequency;
    air.tonePower = fullScalePower(k.waveform);
    air.dotMs = k.cardDotMs();
    return air;
}

// One generated call a group, as many as the groups; the seed gives the same calls again.
std::string callsignText(int count, uint32_t seed) {
    CallsignGenerator calls(seed);
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i) text += ' ';
        text += calls.next().text;
    }
    return text;
}

// A contact's lines as a radiogram's, Windows-1251 with CR LF.
std::string contactText(uint32_t seed) {
    std::string text;
    for (char c : generateContact(seed).text)
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return text;
}

ExportPlan failure(int status, std::string error) {
    ExportPlan plan;
    plan.status = status;
    plan.error = std::move(error);
    return plan;
}

// Two options that name one file, through links too: writing the one would destroy the other
// (the answers over the sound, the sound or the answers over the radiogram). Names the later
// option of the first such pair; nothing when every file is its own.
std::optional<std::string> sharedFile(const ExportOptions& o) {
    const auto given = [](const std::optional<std::string>& path) {
        return path ? &*path : nullptr;
    };
    const std::pair<const char*, const std::string*> files[] = {
        {"--text", given(o.radiogram)}, {"--export", &o.target}, {"--answers", given(o.answers)}};
    for (std::size_t later = 1; later < std::size(files); ++later)
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            const auto& [option, path] = files[later];
            const std::string* other = files[earlier].second;
            if (path && other && sameFile(*path, *other))
                return std::string("Параметр ") + option + ": «" + *path +
                       "» — тот же файл, что и в " + files[earlier].first +
                       ", и он был бы затёрт. Укажите другой файл.";
        }
    return std::nullopt;
}

// Shows "\rЭкспорт: N %" on a terminal, and ends the line when the render ends.
class ProgressLine {
public:
    ProgressLine(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~ProgressLine() {
        if (shown_ && drawn_) err_ << "\n" << std::flush;
    }
    void show(int percent) {
        if (!shown_) return;
        drawn_ = true;
        err_ << "\rЭкспорт: " << percent << " %" << std::flush;
    }

private:
    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
};

} // namespace

ExportPlan planExport(const ExportOptions& options, const PropValues& stored, uint32_t randomSeed,
                      const AirConditions& storedAir) {
    if (!audioFormatForPath(options.target))
        return failure(kExportBadUsage, "Параметр --export: формат файла «" + options.target +
                                            "» не распознан по расширению; годятся " +
                                            std::string(audioExtensionList()) + ".");
    if (std::optional<std::string> shared = sharedFile(options))
        return failure(kExportBadUsage, *shared);
    ExportPlan plan;
    plan.job.transmission = transmissionOf(options, stored);
    plan.job.keying = keyingOf(options, stored);
    plan.job.jargon = options.body == ExportBody::Jargon;
    plan.job.seed = options.seed.value_or(randomSeed);
    if (const AirConditions air = airOf(options, storedAir, plan.job.keying); air.on)
        plan.job.chain = airChainMaker(air);
    if (options.voice) plan.job.spoken = {*options.voice, options.voicePause.value_or(1000)};
    plan.job.reading.digits = options.voiceDigits.value_or(DigitReading::DigitByDigit);
    plan.job.reading.latin = options.voiceLatin.value_or(LatinPhonetics::Russian);
    plan.job.voiceThroughAir = options.voiceAir;
    if (plan.job.transmission.textInWindow && !options.body)
        return failure(kExportBadUsage,
                       "В настройках выбран источник «Текст в окне», а окна нет: укажите "
                       "--text РАДИОГРАММА, --digits, --letters, --mixed, --jargon, "
                       "--lesson, --callsigns или --qso.");
    if (options.lesson) plan.job.text = lessonText(*options.lesson, plan.job);
    if (options.body == ExportBody::Callsigns)
        plan.job.text = callsignText(plan.job.transmission.groupCount, plan.job.seed);
    if (options.body == ExportBody::Qso) plan.job.text = contactText(plan.job.seed);
    if (options.radiogram) {
        RadiogramResult read = readRadiogram(*options.radiogram);
        if (!read.ok())
            return failure(kExportFailed,
                           "Параметр --text: радиограмма не прочитана. " + read.message);
        plan.job.text = std::move(read.text);
    }
    return plan;
}

int runExportCommand(std::span<const std::string_view> args, const PropValues& stored,
                     std::ostream& out, std::ostream& err, bool showProgress,
                     const AirConditions& storedAir, const SpeechSynthesizerMaker& voice) {
    const ExportParse parse = parseExportOptions(args);
    if (!parse.ok()) {
        err << parse.error << "\n";
        return kExportBadUsage;
    }
    if (parse.options.help || parse.options.version) {
        out << (parse.options.help ? std::string(exportHelpText()) : versionText());
        return kExportOk;
    }
    ExportPlan plan = planExport(parse.options, stored, std::random_device{}(), storedAir);
    if (plan.status != kExportOk) {
        err << plan.error << "\n";
        return plan.status;
    }
    plan.job.voice = voice;
    bool written = false;
    std::string answers, voiceFailure;
    {
        ProgressLine line(err, showProgress);
        ExportRenderer renderer(plan.job, [&line](int percent) { line.show(percent); });
        written = renderer.render(parse.options.target);
        if (!written) {
            err << (showProgress ? "\n" : "") << renderer.error() << "\n";
            return kExportFailed;
        }
        answers = renderer.answers();
        voiceFailure = renderer.voiceFailure();
    }
    // The file holds the Morse alone: said once, after the progress line.
    if (!voiceFailure.empty()) err << voiceFailure << "\n";
    if (parse.options.answers) {
        const RadiogramResult saved = writeRadiogram(*parse.options.answers, answers);
        if (!saved.ok()) {
            err << "Параметр --answers: текст упражнения не записан. " << saved.message << "\n";
            return kExportFailed;
        }
    }
    return kExportOk;
}

} // namespace kelvatron
