// The command-line export: options in both spellings, each left out taking the stored setting,
// and every failure with its exit status, a message naming the cause, and no file.
#include <gtest/gtest.h>
#include <sstream>

#include "core/cp1251.h"
#include "radiograms/tempfolder.h"
#include "render/exportcommand.h"
#include "render/rendertesting.h"
#include "settings/settingsdefaults.h"

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

template <class T> void field(std::ostream& s, const char* name, const std::optional<T>& v) {
    s << ' ' << name << '=';
    if (!v)
        s << '-';
    else if constexpr (std::is_enum_v<T>)
        s << int(*v);
    else
        s << *v;
}

// Every option as read, "-" for one left out; enums as numbers (waveform 3 is the sawtooth).
std::string optionsText(std::string_view line) {
    const ExportParse p = parseExportOptions(commandLine(line));
    const ExportOptions& o = p.options;
    std::ostringstream s;
    s << p.error << o.target;
    field(s, "body", o.body), field(s, "text", o.radiogram), field(s, "groups", o.groups);
    field(s, "size", o.size), field(s, "seed", o.seed), field(s, "dot", o.dot);
    field(s, "freq", o.frequency), field(s, "wave", o.waveform), field(s, "ratio", o.ratio);
    field(s, "sp", o.signPause), field(s, "gp", o.groupPause), field(s, "open", o.opening);
    field(s, "close", o.closing), field(s, "answers", o.answers);
    return s.str();
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

TEST(ExportOptions, ReadsEveryOptionInBothSpellings) {
    EXPECT_EQ(optionsText("--export=a.mp3 --text r.dkm --groups=200 --size 1 --seed 4294967295 "
                          "--dot=10 --frequency 5000 --waveform=sawtooth --ratio 6 --sign-pause=4 "
                          "--group-pause 1 --no-opening --no-closing --answers=k.txt"),
              "a.mp3 body=0 text=r.dkm groups=200 size=1 seed=4294967295 dot=10 freq=5000 wave=3 "
              "ratio=6 sp=4 gp=1 open=0 close=0 answers=k.txt");
    EXPECT_EQ(optionsText("--jargon --export x.ogg --seed 0"),
              "x.ogg body=4 text=- groups=- size=- seed=0 dot=- freq=- wave=- ratio=- sp=- gp=- "
              "open=- close=- answers=-");
}

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

TEST(ExportCommand, FailuresNameTheCauseAndLeaveNoFile) {
    TempFolder folder;
    TempFolder::put(folder.path("bad.dkm"), std::string("А\0Б", 3));
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
        {"stray argument", 2, "--export @/a.wav fast", "«fast»"},
        {"missing value at the end", 2, "--export @/a.wav --groups", "--groups нужно значение"},
        {"option where a value belongs", 2, "--export --digits", "--export нужно значение"},
        {"below range", 2, "--export @/a.wav --dot 9",
         "--dot: значение 9 вне пределов от 10 до 100"},
        {"seed beyond 32 bits", 2, "--export @/a.wav --seed 4294967296", "--seed: значение"},
        {"huge number", 2, "--export @/a.wav --size 99999999999999999999", "--size: значение"},
        {"not a number", 2, "--export @/a.wav --ratio three", "--ratio ждёт целое число"},
        {"trailing junk", 2, "--export @/a.wav --frequency 800Hz", "--frequency ждёт целое"},
        {"unknown waveform", 2, "--export @/a.wav --waveform pulse", "--waveform ждёт одну"},
        {"flag with a value", 2, "--export @/a.wav --no-opening=yes", "--no-opening не принимает"},
        {"option twice", 2, "--export @/a.wav --dot 50 --dot=60", "--dot указан дважды"},
        {"two bodies", 2, "--export @/a.wav --digits --text @/r.dkm", "--digits и --text"},
        {"no target", 2, "--digits", "--export FILE"},
        {"no window for the stored text source", 2, "--export @/a.wav", "--text"},
        {"missing radiogram", 1, "--export @/a.wav --text @/none.dkm", "none.dkm"},
        {"radiogram that is no text", 1, "--export @/a.wav --text @/bad.dkm", "--text"},
        {"unwritable target", 1, "--export @/no/such/out.wav --groups 1", "no/such"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool storedText = std::string_view(c.name).starts_with("no window");
        const CommandRun r = run(c.line, folder.dir, storedText ? textInWindow : kLayoutDefaults);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"bad.dkm"});
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

TEST(ExportCommand, ATerminalSeesTheProgressLine) {
    TempFolder folder;
    const CommandRun r = run("--export @/p.wav --groups 2", folder.dir, kLayoutDefaults, true);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("\rЭкспорт: 0 %", 0), 0u) << r.err;
    EXPECT_TRUE(r.err.ends_with("\rЭкспорт: 100 %\n")) << r.err;
}

TEST(ExportCommand, HelpSucceedsAndOnlyExportOptionsMakeACommandLine) {
    const CommandRun r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--no-closing"), std::string::npos);
    EXPECT_FALSE(isExportCommandLine(commandLine("-platform xcb")));
    EXPECT_TRUE(isExportCommandLine(commandLine("--export=a.wav")));
}
