#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/soundserverprobe.h"

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
