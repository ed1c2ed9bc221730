// The sound server's device against a real server: a private daemon with a null sink, whose
// monitor is recorded frame by frame (tests/support/with_pulse_server.sh starts PulseAudio and
// the PulseAudio device is tested; tests/support/with_pipewire_server.sh starts PipeWire and sets
// KELVATRON_TEST_SOUND=pipewire, and the PipeWire device is tested the same way). Each case
// runs with the monitor recorded at a low and at a large latency: a low one makes the sink itself
// mix in small blocks, where frames written too early are heard before a rewrite reaches them.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linuxspeaker.h"
#include "platform/pipewiresounddevice.h"
#include "platform/pulsesounddevice.h"
#include "platform/systemclock.h"
#include "support/monitorrecorder.h"

using namespace kelvatron;
using test::MonitorRecorder;

namespace {

// The program's default speaker timing: the wake's fault shows at this dot and not at 50 ms.
constexpr double kDotMs = 40;
constexpr int32_t kFrequency = 800;
// The live stream rests after 2 s without a key.
constexpr auto kRest = std::chrono::milliseconds(2300);
// Long enough for what was played to have passed the monitor.
constexpr auto kHeard = std::chrono::milliseconds(250);
// A frame's place from the monitor: its edges are found to the frame, the rounding of two edges
// to frames adds one more.
constexpr double kFrameExactMs = 3 * 1000.0 / MonitorRecorder::kRate;
// Every element of a sign that answers a key is within this of its ideal.
constexpr double kSignElementMs = 3;

void pause(std::chrono::microseconds ms) {
    std::this_thread::sleep_for(ms);
}

// A tone or a silence as it should sound, in ms; tones and silences alternate, tone first.
using Rhythm = std::vector<double>;

// Signs keyed one after another, a dash's silence between them.
Rhythm signRhythm(const std::vector<std::string>& codes) {
    Rhythm rhythm;
    for (const auto& code : codes)
        for (size_t i = 0; i < code.size(); ++i) {
            if (!rhythm.empty()) rhythm.push_back(i == 0 ? 3 * kDotMs : kDotMs);
            rhythm.push_back(code[i] == '.' ? kDotMs : 3 * kDotMs);
        }
    return rhythm;
}

// Keys a sign as the sign player does through the speaker's square tone on the sound card:
// each element a synchronous tone, then a wait.
void playSign(TimelineSoundDevice& device, Clock& clock, const std::string& code) {
    const Rhythm rhythm = signRhythm({code});
    for (size_t i = 0; i < rhythm.size(); i += 2) {
        if (i > 0) clock.sleep(static_cast<int32_t>(rhythm[i - 1]));
        device.playSound(LinuxSpeaker::squareToneImage(kFrequency, static_cast<int32_t>(rhythm[i])),
                         SND_MEMORY);
    }
}

// The tones in groups apart by silences longer than apartMs.
std::vector<std::vector<MonitorRecorder::Tone>> groups(const std::vector<MonitorRecorder::Tone>& tones,
                                                      double apartMs) {
    std::vector<std::vector<MonitorRecorder::Tone>> out;
    for (size_t i = 0; i < tones.size(); ++i) {
        if (i == 0 || (tones[i].first - tones[i - 1].end) * 1000.0 / 48000 > apartMs) out.emplace_back();
        out.back().push_back(tones[i]);
    }
    return out;
}

Rhythm heard(const std::vector<MonitorRecorder::Tone>& tones) {
    Rhythm rhythm;
    for (size_t i = 0; i < tones.size(); ++i) {
        if (i > 0) rhythm.push_back((tones[i].first - tones[i - 1].end) * 1000.0 / 48000);
        rhythm.push_back(tones[i].lengthMs());
    }
    return rhythm;
}

std::string describe(const Rhythm& rhythm) {
    std::ostringstream out;
    out.precision(2);
    out << std::fixed;
    for (size_t i = 0; i < rhythm.size(); ++i) out << (i % 2 ? " (" : "") << rhythm[i] << (i % 2 ? ") " : "");
    return out.str();
}

// Every tone and silence within `tolerance` ms of the rhythm, and nothing more.
void expectRhythm(const Rhythm& expected, const Rhythm& got, double tolerance) {
    const std::string what = "expected " + describe(expected) + "\n     heard " + describe(got) +
                             "  (tone (silence) tone ..., ms)";
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(got[i], expected[i], tolerance) << (i % 2 ? "silence " : "tone ") << i / 2
                                                    << "\n" << what;
}

bool onPipeWire() {
    const char* sound = std::getenv("KELVATRON_TEST_SOUND");
    return sound && std::string(sound) == "pipewire";
}

// The device of the server the test runs beside; empty when it is not available.
std::unique_ptr<TimelineSoundDevice> openDevice(Clock& clock, std::string& why) {
    if (onPipeWire()) {
        auto device = std::make_unique<PipeWireSoundDevice>(clock);
        if (device->available()) return device;
        why = device->unavailableReason();
        return nullptr;
    }
    auto device = std::make_unique<PulseSoundDevice>(clock);
    if (device->available()) return device;
    why = device->unavailableReason();
    return nullptr;
}

bool serverGiven() {
    if (const char* server = std::getenv("KELVATRON_PULSE_SERVER")) {
        setenv("PULSE_SERVER", server, 1);
        return true;
    }
    return std::getenv("PULSE_SERVER") != nullptr;
}

// The monitor's recording for one latency, shared by the cases of one suite: an idle null sink
// mixes far ahead, so a recording takes up to 2 s to start, which the suite pays once.
template <int FragmentMs>
struct Monitor {
    static constexpr double kFragmentMs = FragmentMs;
};

template <typename M>
class PulseDevice : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (serverGiven()) recorder_ = std::make_unique<MonitorRecorder>(M::kFragmentMs);
    }
    static void TearDownTestSuite() { recorder_.reset(); }

    void SetUp() override {
        if (!serverGiven())
            GTEST_SKIP() << "no private PulseAudio server: run these tests through "
                            "tests/support/with_pulse_server.sh (./test.sh does)";
        recorder = recorder_.get();
        ASSERT_EQ(recorder->error(), "");
        start = recorder->frames();
        std::string why;
        device = openDevice(clock, why);
        ASSERT_TRUE(device) << why;
    }
    void TearDown() override {
        // A daemon cycle that came a whole cycle late (a loaded machine) leaves a hole in what
        // played then: said, so that a broken tone is read for what it is.
        if (auto* pipeWire = dynamic_cast<PipeWireSoundDevice*>(device.get());
            pipeWire && pipeWire->lateCycles() > 0 && HasFailure())
            std::printf("  (the daemon's cycles came a whole cycle late %u times in this case)\n",
                        pipeWire->lateCycles());
        device.reset();
        if (recorder) {
            EXPECT_FALSE(recorder->overflowed()) << "the recording lost frames";
        }
    }

    // A key of the hand held for holdMs from now, each edge given to the device lateMs after
    // its moment, as an edge that waited on its way through the window. Returns the key-down's
    // moment; `late` gets how late each edge came in fact (a busy machine adds to it).
    double timedKey(double holdMs, double lateMs = 0, std::vector<double>* late = nullptr) {
        const double down = clock.now();
        pause(std::chrono::microseconds(std::llround(lateMs * 1000)));
        if (late) late->push_back(clock.now() - down);
        device->keyDownAt(kFrequency, TTGWave::tgSquare, down);
        const double up = down + holdMs;
        while (clock.now() < up) pause(std::chrono::microseconds(200));
        pause(std::chrono::microseconds(std::llround(lateMs * 1000)));
        if (late) late->push_back(clock.now() - up);
        device->keyUpAt(up);
        return down;
    }

    // What was played until now, once the monitor has passed it on.
    std::vector<MonitorRecorder::Tone> heardSoFar() {
        pause(kHeard);
        recorder->catchUp();
        return recorder->tones(start);
    }

    static inline std::unique_ptr<MonitorRecorder> recorder_;
    SystemClock clock;
    MonitorRecorder* recorder = nullptr;
    int64_t start = 0; // the recording's frame when the case began
    std::unique_ptr<TimelineSoundDevice> device;
};

struct LatencyName {
    template <typename M>
    static std::string GetName(int) {
        return "monitor" + std::to_string(static_cast<int>(M::kFragmentMs)) + "ms";
    }
};

using Latencies = ::testing::Types<Monitor<10>, Monitor<200>>;
TYPED_TEST_SUITE(PulseDevice, Latencies, LatencyName);

// Й (.---) as the keyboard practice keys it on a key, as the program's first sound: at once,
// and as a learner's first key comes, after the streams have been open for a while.
TYPED_TEST(PulseDevice, FirstSignAfterStartUpIsHeardWhole) {
    this->device->setPromptTones(true);
    playSign(*this->device, this->clock, ".---");
    expectRhythm(signRhythm({".---"}), heard(this->heardSoFar()), kSignElementMs);
}

// A learner's first key comes after the streams have rested, and so does every key after a
// pause: each sign sounds whole, with nothing before it (a wake that wrote frames the server
// played before their rewrite once put a blip 70 ms ahead and cut the first element short).
TYPED_TEST(PulseDevice, SignAfterARestIsHeardWhole) {
    this->device->setPromptTones(true);
    for (int sign = 0; sign < 2; ++sign) {
        pause(kRest);
        playSign(*this->device, this->clock, ".---");
    }
    const auto signs = groups(this->heardSoFar(), 1000);
    ASSERT_EQ(signs.size(), 2u) << describe(heard(this->recorder->tones(this->start)));
    const char* which[] = {"the first sign after an idle start", "a sign after a rest"};
    for (size_t i = 0; i < signs.size(); ++i) {
        SCOPED_TRACE(which[i]);
        expectRhythm(signRhythm({".---"}), heard(signs[i]), kSignElementMs);
    }
}

// A key after the live stream rested sounds once, whole, as late after its moment as a key on
// the running stream; also after transmissions while it rested, whose every tone sets the
// volume, which the live stream follows (more of them than its queue holds requests).
TYPED_TEST(PulseDevice, KeyAfterARestSoundsAtTheSameDelay) {
    auto& recorder = *this->recorder;
    std::vector<double> downs;
    downs.push_back(this->timedKey(60));
    // The key the others are measured against comes once the stream's clock has settled: before
    // that its origin may still be a millisecond or two off, as the placed tones' schedule may be.
    for (int i = 0; i < 200 && !this->device->streamRunning(); ++i)
        pause(std::chrono::milliseconds(10));
    pause(std::chrono::milliseconds(300));
    downs.push_back(this->timedKey(60));
    pause(kRest);
    for (size_t tone = 0; tone < 2 * TimelineSoundDevice::kSlots; ++tone)
        this->device->setVolume(tone % 2 ? 0xFFFFFFFFu : 0xCCCCCCCCu);
    downs.push_back(this->timedKey(60));
    pause(std::chrono::milliseconds(300));
    downs.push_back(this->timedKey(60));
    const auto tones = this->heardSoFar();
    ASSERT_EQ(tones.size(), downs.size()) << "keys silent? " << describe(heard(tones));
    for (size_t i = 0; i < tones.size(); ++i)
        EXPECT_NEAR(tones[i].lengthMs(), 60, kFrameExactMs) << "key " << i;
    // From each key's moment to its sound, less the same unknown offset of the recording.
    const auto delay = [&](size_t i) { return recorder.wallMs(tones[i].first) - downs[i]; };
    EXPECT_NEAR(delay(3), delay(1), 1) << "keys on the running stream";
    EXPECT_NEAR(delay(2), delay(1), 1) << "the key that woke the stream";
}

// Edges that reach the device a few ms late still sound a constant delay after their moments:
// every tone as long as its key was held, every silence as long as the key was up. An edge
// held up on a busy machine for longer than the delay leaves can only sound late: the tone and
// the silence beside it are not measured, and of the rest a few may miss (the server, too, can
// take a rewrite late), but most are exact to the frame. Edges sounded when they came, rather
// than at their moment, would miss by the lateness, which differs from edge to edge.
TYPED_TEST(PulseDevice, TimedKeyEdgesSoundAtAConstantDelay) {
    constexpr double kInTimeMs = 5;
    constexpr int kKeys = 10;
    this->timedKey(30); // wakes the live stream
    pause(std::chrono::milliseconds(500));
    std::mt19937 random(1945);
    Rhythm keyed;
    std::vector<double> late;
    double lastUp = 0;
    for (int i = 0; i < kKeys; ++i) {
        const double hold = 30 + static_cast<double>(random() % 160);
        const double down = this->timedKey(hold, 2.0 * (i % 3), &late);
        if (i > 0) keyed.push_back(down - lastUp);
        keyed.push_back(hold);
        lastUp = down + hold;
        pause(std::chrono::milliseconds(20 + random() % 60));
    }
    const auto runs = groups(this->heardSoFar(), 300);
    ASSERT_EQ(runs.size(), 2u) << describe(heard(this->recorder->tones(this->start)));
    const Rhythm got = heard(runs[1]);
    const std::string what = "keyed " + describe(keyed) + "\n heard " + describe(got);
    ASSERT_EQ(got.size(), keyed.size()) << what;
    int measured = 0, exact = 0;
    for (size_t i = 0; i < keyed.size(); ++i) {
        // Tone or silence i lies between edges i and i + 1.
        if (late[i] > kInTimeMs || late[i + 1] > kInTimeMs) continue;
        ++measured;
        if (std::abs(got[i] - keyed[i]) <= 0.1) ++exact;
    }
    EXPECT_GE(measured, static_cast<int>(keyed.size()) / 2) << "the machine is too busy\n" << what;
    EXPECT_GE(exact, measured * 3 / 4) << exact << " of " << measured << " exact\n" << what;
}

// A transmission's tones on the placed stream, before and after the stream's clock settled,
// with the keying thread now and then waking late: every tone and silence to the frame.
TYPED_TEST(PulseDevice, PlacedTonesLandOnTheirExactFrames) {
    auto& device = *this->device;
    const auto transmit = [&](const std::vector<std::string>& signs, bool wakeLate) {
        for (size_t i = 0; i < signs.size(); ++i) {
            if (i > 0) {
                if (wakeLate) pause(std::chrono::milliseconds(15));
                this->clock.sleep(static_cast<int32_t>(3 * kDotMs));
            }
            playSign(device, this->clock, signs[i]);
        }
    };
    const std::vector<std::string> opening{"-...", "-.-", ".--."};
    transmit(opening, false);
    for (int i = 0; i < 200 && !device.streamRunning(); ++i) pause(std::chrono::milliseconds(10));
    ASSERT_TRUE(device.streamRunning());
    // The opening, placed from what the stream had mixed as it started, may sound a few hundred
    // ms later than its schedule says: the text comes well after it.
    pause(std::chrono::milliseconds(800));
    const std::vector<std::string> text{"--..", "..-", "-.--"};
    transmit(text, true);
    pause(std::chrono::milliseconds(std::llround(device.latencyMs())));
    const auto runs = groups(this->heardSoFar(), 300);
    ASSERT_EQ(runs.size(), 2u) << describe(heard(this->recorder->tones(this->start)));
    expectRhythm(signRhythm(opening), heard(runs[0]), kFrameExactMs);
    expectRhythm(signRhythm(text), heard(runs[1]), kFrameExactMs);
}

} // namespace
