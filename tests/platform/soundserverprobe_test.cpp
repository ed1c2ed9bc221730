#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/soundoutput.h"
#include "platform/soundserverprobe.h"
#include "platform/systemclock.h"

using namespace kelvatron;

// The private server's one output is its null sink: found by name, and no reason to warn.
TEST(SoundServerProbe, FindsTheServersDefaultOutput) {
    const char* server = std::getenv("KELVATRON_PULSE_SERVER");
    if (!server)
        GTEST_SKIP() << "no private PulseAudio server: run these tests through "
                        "tests/support/with_pulse_server.sh (./test.sh does)";
    setenv("PULSE_SERVER", server, 1);
    const SoundServerOutput output = probeSoundServer();
    EXPECT_TRUE(output.answered);
    EXPECT_EQ(output.sink, "kelvatron_null");
    EXPECT_NE(output.server.find("ulse"), std::string::npos) << output.server;
    EXPECT_EQ(silentServerReason(output), "");
}

// The PipeWire daemon's own stream where it answers (KELVATRON_TEST_SOUND=pipewire beside the
// private PipeWire); where none answers, the PulseAudio server at once, not after a wait.
TEST(SoundOutput, TakesThePipeWireDaemonWhereItAnswersElsePulseAudio) {
    const char* server = std::getenv("KELVATRON_PULSE_SERVER");
    if (!server) GTEST_SKIP() << "no private sound server";
    setenv("PULSE_SERVER", server, 1);
    const char* sound = std::getenv("KELVATRON_TEST_SOUND");
    const bool pipeWire = sound && std::string(sound) == "pipewire";
    struct Row {
        const char* pipeWireRemote; // nullptr: the daemon of the environment
        const char* backend;
    };
    const Row rows[] = {{nullptr, pipeWire ? "pipewire" : "pulse"},
                        {"/nonexistent/kelvatron-no-pipewire", "pulse"}};
    for (const Row& row : rows) {
        if (row.pipeWireRemote) setenv("PIPEWIRE_REMOTE", row.pipeWireRemote, 1);
        unsetenv("KELVATRON_SOUND");
        unsetenv("SDL_AUDIODRIVER");
        SystemClock clock;
        const double began = clock.now();
        const SoundOutput output = openSoundOutput(clock);
        EXPECT_EQ(output.backend, row.backend);
        EXPECT_EQ(output.unavailableReason, "");
        EXPECT_LT(clock.now() - began, 1500) << "waited for a daemon that is not there";
        unsetenv("PIPEWIRE_REMOTE");
    }
}
