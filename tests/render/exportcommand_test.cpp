// The command-line export: each option or else the stored setting, and every failure with its
// exit status, a message naming the cause, and no file.
#include <gtest/gtest.h>
#include <sstream>

#include "core/cp1251.h"
#include "radiograms/tempfolder.h"
#include "render/exportcommand.h"
#include "render/exportoptions.h"
#include "render/rendertesting.h"
#include "settings/settingsdefaults.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun run(std::vector<std::string> args, const PropValues& stored = kLayoutDefaults,
               bool terminal = false) {
    std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    const int status = runExportCommand(views, stored, out, err, terminal);
    return {status, out.str(), err.str()};
}

ExportOptions parsed(std::vector<std::string_view> args) {
    ExportParse p = parseExportOptions(args);
    EXPECT_TRUE(p.ok()) << p.error;
    return p.options;
}

} // namespace

TEST(ExportCommand, OptionsLeftOutTakeTheStoredSettings) {
    // Letters, triangle, no opening, everything else changed too: an option the parser filled in
    // by itself would show here.
    const PropValues stored = {1200, 4, 2, 3, 7, 25, 35, 0, 1, 0, 0, 1,
                               1,    0, 1, 0, 0, 0,  1,  0, 0, 0, 1};
    const ExportJob fromStore = planExport(parsed({"--export", "a.wav"}), stored, 5).job;
    EXPECT_EQ(fromStore.keying.frequency, 1200);
    EXPECT_EQ(fromStore.keying.ratio, 4);
    EXPECT_EQ(fromStore.keying.signPause, 2);
    EXPECT_EQ(fromStore.keying.groupPause, 3);
    EXPECT_EQ(fromStore.keying.speedUnit, 35);
    EXPECT_EQ(fromStore.keying.waveform, TTGWave::tgTriangle);
    EXPECT_TRUE(fromStore.keying.soundCard);
    EXPECT_EQ(fromStore.transmission.groupSize, 7);
    EXPECT_EQ(fromStore.transmission.groupCount, 25);
    EXPECT_TRUE(fromStore.transmission.letters && !fromStore.transmission.digits);
    EXPECT_FALSE(fromStore.transmission.opening);
    EXPECT_TRUE(fromStore.transmission.closing);
    EXPECT_EQ(fromStore.seed, 5u);

    const ExportJob given =
        planExport(parsed(commandLine("--export a.wav --dot=60 --frequency 600 --ratio 5 "
                                      "--sign-pause 1 --group-pause 4 --size 3 --groups 2 --mixed "
                                      "--waveform square --no-closing --seed 9")),
                   stored, 5)
            .job;
    EXPECT_EQ(given.keying.speedUnit, 60);
    EXPECT_EQ(given.keying.frequency, 600);
    EXPECT_EQ(given.keying.ratio, 5);
    EXPECT_EQ(given.keying.signPause, 1);
    EXPECT_EQ(given.keying.groupPause, 4);
    EXPECT_EQ(given.keying.waveform, TTGWave::tgSquare);
    EXPECT_EQ(given.transmission.groupSize, 3);
    EXPECT_EQ(given.transmission.groupCount, 2);
    EXPECT_TRUE(given.transmission.digitsAndLetters && !given.transmission.letters);
    EXPECT_FALSE(given.transmission.closing);
    EXPECT_EQ(given.seed, 9u);
}

TEST(ExportCommand, FailuresNameTheCauseAndLeaveNoFile) {
    TempFolder folder;
    const std::string target = folder.path("out.wav");
    TempFolder::put(folder.path("bad.dkm"), std::string("А\0Б", 3));
    PropValues textInWindow = kLayoutDefaults;
    textInWindow[prop::FirstSource] = 0;
    textInWindow[prop::FirstSource + 3] = 1;
    struct Case {
        const char* name;
        std::vector<std::string> args;
        PropValues stored;
        int status;
        std::string message;
    } cases[] = {
        {"unknown option", {"--export", target, "--fast"}, kLayoutDefaults, 2, "«--fast»"},
        {"value out of range", {"--export", target, "--dot", "5"}, kLayoutDefaults, 2, "--dot"},
        {"unknown format", {"--export", folder.path("out.aiff")}, kLayoutDefaults, 2, ".aiff"},
        {"no window for the stored text source", {"--export", target}, textInWindow, 2, "--text"},
        {"missing radiogram",
         {"--export", target, "--text", folder.path("none.dkm")},
         kLayoutDefaults,
         1,
         "none.dkm"},
        {"radiogram that is no text",
         {"--export", target, "--text", folder.path("bad.dkm")},
         kLayoutDefaults,
         1,
         "--text"},
        {"unwritable target",
         {"--export", folder.path("no/such/folder/out.wav"), "--groups", "1"},
         kLayoutDefaults,
         1,
         "no/such/folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandRun r = run(c.args, c.stored);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"bad.dkm"});
    }
}

TEST(ExportCommand, WritesTheSoundAndTheAnswers) {
    TempFolder folder;
    TempFolder::put(folder.path("r.dkm"), toCp1251("ПРИВЕТ МИР"));
    const CommandRun r = run({"--export", folder.path("r.ogg"), "--text", folder.path("r.dkm"),
                              "--answers", folder.path("r.txt"), "--no-opening"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(TempFolder::get(folder.path("r.txt")), "ПРИВЕТ МИР");
    EXPECT_GT(TempFolder::get(folder.path("r.ogg")).size(), 1000u);
}

TEST(ExportCommand, ATerminalSeesTheProgressLine) {
    TempFolder folder;
    const CommandRun r =
        run({"--export", folder.path("p.wav"), "--groups", "2"}, kLayoutDefaults, true);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("\rЭкспорт: 0 %", 0), 0u) << r.err;
    EXPECT_TRUE(r.err.ends_with("\rЭкспорт: 100 %\n")) << r.err;
}

TEST(ExportCommand, HelpPrintsTheOptionsAndSucceeds) {
    const CommandRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, exportHelpText());
}
