#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/soundoutput.h"
#include "platform/soundserverprobe.h"
#include "support/fakeclock.h"

using namespace kelvatron;
using kelvatron::test::FakeClock;

namespace {

bool says(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// One environment variable set for a test, the old value put back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

// A server that plays into its dummy output (PulseAudio's and PipeWire's "auto_null" where they
// find no card) or into none is silent: the learner is told, in Russian; any real output is not.
TEST(SoundOutput, AServerWithoutARealOutputIsSaidToBeSilent) {
    struct Row {
        SoundServerOutput output;
        const char* said; // nothing when the output is real
    };
    const Row rows[] = {
        {{false, "", "", ""}, nullptr},
        {{true, "pulseaudio 16.1", "alsa_output.pci-0000_00_1f.3.analog-stereo", "Built-in Audio"},
         nullptr},
        {{true, "pulseaudio 16.1", "kelvatron_null", "Null Output"}, nullptr},
        {{true, "PulseAudio (on PipeWire 0.3.65) 15.0.0", "auto_null", "Dummy Output"},
         "PulseAudio (on PipeWire 0.3.65) 15.0.0) не нашёл звуковой карты и выводит звук на пустой "
         "выход «Dummy Output»"},
        {{true, "pulseaudio 16.1", "", ""}, "отвечает, но выхода для звука у него нет"},
    };
    for (const Row& row : rows) {
        const std::string reason = silentServerReason(row.output);
        if (!row.said) {
            EXPECT_EQ(reason, "") << row.output.sink;
            continue;
        }
        EXPECT_TRUE(says(reason, row.said)) << reason;
        EXPECT_TRUE(says(reason, "запустите программу снова")) << reason;
    }
}

// With no sound server and no card the learner reads, in Russian, both what was tried and what
// to do, not SDL's English error alone.
TEST(SoundOutput, NoServerAndNoCardSaysWhatWasTried) {
    ScopedVariable server("PULSE_SERVER", "unix:/nonexistent/kelvatron-no-server");
    ScopedVariable driver("SDL_AUDIODRIVER", "pulseaudio");
    ScopedVariable forced("KELVATRON_SOUND", "");
    FakeClock clock;
    const SoundOutput output = openSoundOutput(clock);
    const std::string& reason = output.unavailableReason;
    EXPECT_EQ(reason.rfind("Звук недоступен, сигналы не будут слышны: ", 0), 0u) << reason;
    EXPECT_TRUE(says(reason, "сервер PipeWire или PulseAudio не отвечает (")) << reason;
    EXPECT_TRUE(says(reason, "звуковая карта не открылась (SDL: ")) << reason;
    EXPECT_TRUE(says(reason, "Запустите звуковой сервер")) << reason;
    EXPECT_FALSE(says(reason, "tones are silent")) << reason;
}
