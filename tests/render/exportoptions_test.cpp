// The export command line: values and the errors that name their option (what a left-out
// option takes is checked with the command).
#include <gtest/gtest.h>

#include <vector>

#include "render/exportoptions.h"
#include "render/rendertesting.h"

using namespace kelvatron;
using kelvatron::test::commandLine;

namespace {
ExportParse parse(std::vector<std::string_view> args) {
    return parseExportOptions(args);
}
} // namespace

TEST(ExportOptions, ReadsEveryOptionInBothSpellings) {
    ExportParse p = parse(
        commandLine("--export=a.mp3 --text r.dkm --groups=200 --size 1 --seed 4294967295 --dot=10 "
                    "--frequency 5000 --waveform=sawtooth --ratio 6 --sign-pause=4 --group-pause 1 "
                    "--no-opening --no-closing --answers=k.txt"));
    ASSERT_TRUE(p.ok()) << p.error;
    const ExportOptions& o = p.options;
    EXPECT_EQ(o.target, "a.mp3");
    EXPECT_EQ(o.body, ExportBody::Text);
    EXPECT_EQ(o.radiogram, "r.dkm");
    EXPECT_EQ(o.groups, 200);
    EXPECT_EQ(o.size, 1);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.dot, 10);
    EXPECT_EQ(o.frequency, 5000);
    EXPECT_EQ(o.waveform, TTGWave::tgSawtooth);
    EXPECT_EQ(o.ratio, 6);
    EXPECT_EQ(o.signPause, 4);
    EXPECT_EQ(o.groupPause, 1);
    EXPECT_EQ(o.opening, false);
    EXPECT_EQ(o.closing, false);
    EXPECT_EQ(o.answers, "k.txt");
    EXPECT_EQ(parse({"--jargon", "--export", "x.ogg"}).options.body, ExportBody::Jargon);
    EXPECT_EQ(parse({"--export", "x.ogg", "--seed", "0"}).options.seed, 0u);
}

TEST(ExportOptions, BadOptionOrValueNamesTheOption) {
    struct Case {
        const char* behaviour;
        std::vector<std::string_view> args;
        const char* says;
    } cases[] = {
        {"unknown option", {"--export", "a.wav", "--speed", "5"}, "«--speed»"},
        {"stray argument", {"--export", "a.wav", "fast"}, "«fast»"},
        {"missing value at the end", {"--export", "a.wav", "--groups"}, "--groups нужно значение"},
        {"option where a value belongs", {"--export", "--digits"}, "--export нужно значение"},
        {"empty value", {"--export", "a.wav", "--answers="}, "--answers нужно значение"},
        {"below range",
         {"--export", "a.wav", "--dot", "9"},
         "--dot: значение 9 вне пределов от 10 до 100"},
        {"above range", {"--export", "a.wav", "--groups=201"}, "--groups: значение 201"},
        {"seed beyond 32 bits", {"--export", "a.wav", "--seed", "4294967296"}, "--seed: значение"},
        {"huge number",
         {"--export", "a.wav", "--size", "99999999999999999999"},
         "--size: значение"},
        {"not a number", {"--export", "a.wav", "--ratio", "three"}, "--ratio ждёт целое число"},
        {"trailing junk", {"--export", "a.wav", "--frequency", "800Hz"}, "--frequency ждёт целое"},
        {"fraction", {"--export", "a.wav", "--sign-pause", "1.5"}, "--sign-pause ждёт целое"},
        {"unknown waveform", {"--export", "a.wav", "--waveform", "pulse"}, "--waveform ждёт одну"},
        {"flag with a value",
         {"--export", "a.wav", "--no-opening=yes"},
         "--no-opening не принимает"},
        {"option twice", {"--export", "a.wav", "--dot", "50", "--dot=60"}, "--dot указан дважды"},
        {"two bodies", {"--export", "a.wav", "--digits", "--text", "r.dkm"}, "--digits и --text"},
        {"no target", {"--digits"}, "--export FILE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.behaviour);
        ExportParse p = parse(c.args);
        EXPECT_NE(p.error.find(c.says), std::string::npos) << p.error;
    }
}

TEST(ExportOptions, HelpListsEveryOption) {
    ExportParse p = parse({"--help"});
    EXPECT_TRUE(p.ok() && p.options.help);
    for (std::string_view name :
         {"--export", "--text", "--digits", "--letters", "--mixed", "--jargon", "--groups",
          "--size", "--seed", "--dot", "--frequency", "--waveform", "--ratio", "--sign-pause",
          "--group-pause", "--no-opening", "--no-closing", "--answers", "--help"})
        EXPECT_NE(exportHelpText().find(name), std::string_view::npos) << name;
    std::vector<std::string_view> window = {"-platform", "xcb"}, exporting = {"--export=a.wav"};
    EXPECT_FALSE(isExportCommandLine(window));
    EXPECT_TRUE(isExportCommandLine(exporting));
}
