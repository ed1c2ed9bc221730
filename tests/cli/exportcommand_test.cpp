// The command-line export: options, each left out taking the stored setting,
// and every failure with its exit status, a message naming the cause, and no file.
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

#include "cli/exportcommand.h"
#include "core/cp1251.h"
#include "exercises/callsigngenerator.h"
#include "exercises/contactgenerator.h"
#include "render/rendertesting.h"
#include "settings/settingsdefaults.h"
#include "support/tempfolder.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

struct CommandRun {
    int status;
    std::string out, err;
};

// A command line written as one string; "@" stands for the test's folder.
CommandRun run(std::string line, const std::string& folder = "",
               const PropValues& stored = kLayoutDefaults, bool terminal = false) {
    for (size_t at; (at = line.find('@')) != std::string::npos;)
        line.replace(at, 1, folder);
    std::ostringstream out, err;
    const int status = runExportCommand(commandLine(line), stored, out, err, terminal);
    return {status, out.str(), err.str()};
}

// The job planned with seed 5 for want of --seed; sources digits, letters, mixed, text.
std::string jobText(std::string_view line, const PropValues& stored) {
    const ExportJob j = planExport(parseExportOptions(commandLine(line)).options, stored, 5).job;
    const KeyingSettings& k = j.keying;
    const TransmissionSettings& t = j.transmission;
    std::ostringstream s;
    s << "card=" << k.soundCard << " speaker=" << k.speaker << " freq=" << k.frequency
      << " wave=" << (k.waveform ? int(*k.waveform) : -1) << " dot=" << k.speedUnit
      << " ratio=" << k.ratio << " sp=" << k.signPause << " gp=" << k.groupPause
      << " size=" << t.groupSize << " count=" << t.groupCount << " src=" << t.digits << t.letters
      << t.digitsAndLetters << t.textInWindow << " open=" << t.opening << " close=" << t.closing
      << " cyrillic=" << t.cyrillic << " seed=" << j.seed;
    return s.str();
}

} // namespace

TEST(ExportCommand, OptionsLeftOutTakeTheStoredSettings) {
    // Letters, triangle, no opening, everything else changed too: an option the parser filled in
    // by itself would show here.
    const PropValues stored = {1200, 4, 2, 3, 7, 25, 35, 0, 1, 0, 0, 1,
                               1,    0, 1, 0, 0, 0,  1,  0, 0, 0, 1};
    EXPECT_EQ(jobText("--export a.wav", stored),
              "card=1 speaker=0 freq=1200 wave=2 dot=35 ratio=4 sp=2 gp=3 size=7 count=25 "
              "src=0100 open=0 close=1 cyrillic=1 seed=5");
    EXPECT_EQ(jobText("--export a.wav --dot=60 --frequency 600 --ratio 5 --sign-pause 1 "
                      "--group-pause 4 --size 3 --groups 2 --mixed --waveform square "
                      "--no-closing --seed 9",
                      stored),
              "card=1 speaker=0 freq=600 wave=1 dot=60 ratio=5 sp=1 gp=4 size=3 count=2 "
              "src=0010 open=0 close=0 cyrillic=1 seed=9");
}

// The air comes on with any of its options, or with the stored air switched on.
TEST(ExportCommand, AnAirOptionOrTheStoredAirSwitchesTheConditionsOn) {
    AirConditions storedOn;
    storedOn.on = true;
    const struct {
        const char* line;
        bool stored, on;
    } cases[] = {{"--digits", false, false},        {"--digits --snr -5", false, true},
                 {"--digits --qsb 0.5", false, true}, {"--digits --qrn 0", false, true},
                 {"--digits", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const ExportParse parse = parseExportOptions(commandLine("--export a.wav " + std::string(c.line)));
        ASSERT_TRUE(parse.ok()) << parse.error;
        const ExportJob job =
            planExport(parse.options, kLayoutDefaults, 5, c.stored ? storedOn : AirConditions{}).job;
        EXPECT_EQ(bool(job.chain), c.on);
    }
}

TEST(ExportCommand, FailuresNameTheCauseAndLeaveNoFile) {
    TempFolder folder;
    PropValues textInWindow = kLayoutDefaults;
    textInWindow[prop::FirstSource] = 0;
    textInWindow[prop::FirstSource + 3] = 1;
    const struct {
        const char* name;
        int status;
        const char* line;
        const char* says;
    } cases[] = {
        {"unknown option", 2, "--export @/a.wav --speed 5", "«--speed»"},
        {"unknown voice moment", 2, "--export @/a.wav --digits --voice loud",
         "--voice ждёт одно из слов: sign, group, repeat"},
        {"voice setting without a voice", 2, "--export @/a.wav --digits --voice-pause 500",
         "--voice-pause действует только вместе с --voice"},
        {"voice through the air without a voice", 2, "--export @/a.wav --digits --voice-air",
         "--voice-air действует только вместе с --voice"},
        {"missing value at the end", 2, "--export @/a.wav --groups", "--groups нужно значение"},
        {"below range", 2, "--export @/a.wav --dot 9",
         "--dot: значение 9 вне пределов от 10 до 100"},
        {"huge number", 2, "--export @/a.wav --size 99999999999999999999", "--size: значение"},
        {"not a number", 2, "--export @/a.wav --ratio three", "--ratio ждёт целое число"},
        {"snr out of range", 2, "--export @/a.wav --snr -11", "--snr: значение -11 вне пределов"},
        {"fading slower than the least", 2, "--export @/a.wav --qsb 0.01", "--qsb: значение 0.01"},
        {"fading not a number", 2, "--export @/a.wav --qsb slow", "--qsb ждёт число"},
        {"option twice", 2, "--export @/a.wav --dot 50 --dot=60", "--dot указан дважды"},
        {"two bodies", 2, "--export @/a.wav --digits --text @/r.dkm", "--digits и --text"},
        {"a lesson and another body", 2, "--export @/a.wav --digits --lesson 3",
         "--digits и --lesson"},
        {"no such lesson", 2, "--export @/a.wav --lesson 45", "--lesson: значение 45 вне"},
        {"effective speed too low", 2, "--export @/a.wav --digits --effective 4",
         "--effective: значение 4 вне"},
        {"no target", 2, "--digits", "--export FILE"},
        {"no window for the stored text source", 2, "--export @/a.wav", "--text"},
        {"missing radiogram", 1, "--export @/a.wav --text @/none.dkm", "none.dkm"},
        {"unwritable target", 1, "--export @/no/such/out.wav --groups 1", "no/such"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool storedText = std::string_view(c.name).starts_with("no window");
        const CommandRun r = run(c.line, folder.dir, storedText ? textInWindow : kLayoutDefaults);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(folder.names().empty());
    }
}

// The answers written over the sound, or either over the radiogram, would destroy it: two
// options naming one file (by links too, or a link that leads to a file not yet written) are
// refused before anything is written. A pipe or a device is never replaced by a file.
TEST(ExportCommand, AFileNamedTwiceOrNoFileIsRefusedAndKeptAsItWas) {
    TempFolder folder;
    TempFolder::put(folder.path("a.wav"), "old");
    TempFolder::put(folder.path("r.dkm"), toCp1251("ПРИВЕТ"));
    std::filesystem::create_symlink("a.wav", folder.path("link.txt"));
    std::filesystem::create_hard_link(folder.path("a.wav"), folder.path("hard.txt"));
    std::filesystem::create_symlink("new.wav", folder.path("ahead.txt"));
    ASSERT_EQ(::mkfifo(folder.path("pipe.wav").c_str(), 0600), 0);
    const std::vector<std::string> names = folder.names();
    const struct {
        const char* line;
        int status;
        const char* says;
    } cases[] = {
        {"--export @/a.wav --groups 1 --answers @/a.wav", 2, "--answers: «"},
        {"--export @/a.wav --groups 1 --answers @/./a.wav", 2, "тот же файл, что и в --export"},
        {"--export @/a.wav --groups 1 --answers @/link.txt", 2, "--answers"},
        {"--export @/a.wav --groups 1 --answers @/hard.txt", 2, "--answers"},
        {"--export @/new.wav --groups 1 --answers @/ahead.txt", 2, "--answers"},
        {"--export @/r.wav --text @/r.dkm --answers @/r.dkm", 2, "что и в --text"},
        {"--export @/pipe.wav --groups 1", 1, "это канал (FIFO)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const CommandRun r = run(c.line, folder.dir);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(folder.names(), names);
        EXPECT_EQ(TempFolder::get(folder.path("a.wav")), "old");
        EXPECT_EQ(TempFolder::get(folder.path("r.dkm")), toCp1251("ПРИВЕТ"));
        EXPECT_TRUE(std::filesystem::is_fifo(folder.path("pipe.wav")));
    }
}

TEST(ExportCommand, WritesTheSoundAndTheAnswers) {
    TempFolder folder;
    TempFolder::put(folder.path("r.dkm"), toCp1251("ПРИВЕТ МИР"));
    const CommandRun r =
        run("--export @/r.ogg --text @/r.dkm --answers @/r.txt --no-opening", folder.dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(TempFolder::get(folder.path("r.txt")), "ПРИВЕТ МИР");
    EXPECT_GT(TempFolder::get(folder.path("r.ogg")).size(), 1000u);
}

// Lesson 3 keys only the signs of lessons 1..3 (К М Р С) for a minute; with Farnsworth spacing
// the minute holds fewer groups.
TEST(ExportCommand, ALessonKeysOnlyItsSignsAndEffectiveSpacingStretchesIt) {
    TempFolder folder;
    const CommandRun plain = run("--export @/l.wav --lesson 3 --seed 4 --dot 60 --no-opening "
                                 "--no-closing --answers @/l.txt",
                                 folder.dir);
    ASSERT_EQ(plain.status, 0) << plain.err;
    const std::string answers = TempFolder::get(folder.path("l.txt"));
    EXPECT_EQ(answers.find_first_not_of("КМРС "), std::string::npos) << answers;
    EXPECT_NE(answers.find("С"), std::string::npos);
    const CommandRun slow = run("--export @/s.wav --lesson 3 --seed 4 --dot 60 --no-opening "
                                "--no-closing --effective 30 --answers @/s.txt",
                                folder.dir);
    ASSERT_EQ(slow.status, 0) << slow.err;
    const int64_t plainFrames = readBack(folder.path("l.wav")).frames,
                  slowFrames = readBack(folder.path("s.wav")).frames;
    for (int64_t frames : {plainFrames, slowFrames})
        EXPECT_NEAR(double(frames) / 96000, 62, 5);
    EXPECT_LT(TempFolder::get(folder.path("s.txt")).size() * 3 / 2, answers.size());
}

// Generated bodies key what their generator gives for the seed: the calls one a group, the
// contact line by line.
TEST(ExportCommand, KeysGeneratedCallsignsAndContacts) {
    CallsignGenerator calls(3);
    std::string expectedCalls;
    for (int i = 0; i < 4; ++i)
        expectedCalls += (i ? " " : "") + calls.next().text;
    const std::pair<const char*, std::string> rows[] = {
        {"--callsigns --groups 4", expectedCalls},
        {"--qso", generateContact(3).text},
    };
    for (const auto& [body, answers] : rows) {
        TempFolder folder;
        const CommandRun r = run(std::string("--export @/c.wav --seed 3 --dot 10 --no-opening "
                                             "--no-closing --answers @/c.txt ") + body,
                                 folder.dir);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(TempFolder::get(folder.path("c.txt")), answers) << body;
    }
}

TEST(ExportCommand, ATerminalSeesTheProgressLine) {
    TempFolder folder;
    const CommandRun r = run("--export @/p.wav --groups 2", folder.dir, kLayoutDefaults, true);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("\rЭкспорт: 0 %", 0), 0u) << r.err;
    EXPECT_TRUE(r.err.ends_with("\rЭкспорт: 100 %\n")) << r.err;
}

TEST(ExportCommand, HelpAndVersionSucceedAndOnlyOurOptionsMakeACommandLine) {
    const CommandRun help = run("-h");
    EXPECT_EQ(help.status, 0);
    // The window's start is told as well as every export option.
    for (const char* part : {"открыть окно", "--no-closing", "--version"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    const CommandRun version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("Kelvatron 1.", 0), 0u) << version.out;
    EXPECT_EQ(version.err, "");
    EXPECT_FALSE(isExportCommandLine(commandLine("-platform xcb")));
    for (const char* line : {"--export=a.wav", "--version", "-h"})
        EXPECT_TRUE(isExportCommandLine(commandLine(line))) << line;
}

// The voice's choices reach the job, each left out at its default; without a voice to speak
// them the file holds the Morse and the learner is told once.
TEST(ExportCommand, VoiceOptionsReachTheJob) {
    auto planned = [](std::string_view line) {
        return planExport(parseExportOptions(commandLine(line)).options, kLayoutDefaults, 5).job;
    };
    const ExportJob defaults = planned("--export a.wav --voice group");
    EXPECT_EQ(defaults.spoken.moment, AnswerMoment::AfterGroup);
    EXPECT_EQ(defaults.spoken.pauseMs, 1000);
    EXPECT_EQ(defaults.reading.digits, DigitReading::DigitByDigit);
    EXPECT_EQ(defaults.reading.latin, LatinPhonetics::Russian);
    EXPECT_FALSE(defaults.voiceThroughAir);
    const ExportJob chosen = planned("--export a.wav --voice repeat --voice-pause=0 "
                                     "--voice-digits number --voice-latin international --voice-air");
    EXPECT_EQ(chosen.spoken.moment, AnswerMoment::Repeat);
    EXPECT_EQ(chosen.spoken.pauseMs, 0);
    EXPECT_EQ(chosen.reading.digits, DigitReading::AsNumber);
    EXPECT_EQ(chosen.reading.latin, LatinPhonetics::International);
    EXPECT_TRUE(chosen.voiceThroughAir);
    EXPECT_EQ(planned("--export a.wav").spoken.moment, AnswerMoment::Off);

    TempFolder folder;
    const CommandRun r = run("--export @/v.wav --groups 1 --voice sign", folder.dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Голос для ответов не подключён. Упражнение идёт без голоса.\n");
}
