#include "platform/linuxspeaker.h"

#include <fcntl.h>
#include <linux/input.h>
#include <linux/kd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tonegen/waveheader.h"

namespace kelvatron {

namespace {

constexpr uint32_t kToneRate = 96000;
// Longer tones loop a one-second image (a whole number of periods) instead of holding it all.
constexpr int32_t kLongestImageMs = 60000;
// The timer channel's input clock, in Hz.
constexpr uint32_t kTimerHz = 1193182;

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether bit `bit` is set in a bitmap line such as "B: EV=120013" (words highest first).
bool bitSet(std::string_view line, std::string_view key, unsigned bit) {
    if (line.rfind(key, 0) != 0) return false;
    std::string words(line.substr(key.size()));
    auto lastSpace = words.find_last_of(' ');
    std::string last = lastSpace == std::string::npos ? words : words.substr(lastSpace + 1);
    unsigned long long value = std::strtoull(last.c_str(), nullptr, 16);
    return bit < 32 && ((value >> bit) & 1u);
}

std::string eventHandler(std::string_view line) {
    if (line.rfind("H: Handlers=", 0) != 0) return {};
    std::istringstream handlers{std::string(line.substr(12))};
    std::string name;
    while (handlers >> name)
        if (name.rfind("event", 0) == 0) return name;
    return {};
}

} // namespace

LinuxSpeaker::LinuxSpeaker(SoundDevice& sound, Clock& clock, std::string inputDevicesList,
                           std::string inputDir)
    : sound_(sound), clock_(clock), inputDevicesList_(std::move(inputDevicesList)),
      inputDir_(std::move(inputDir)) {}

LinuxSpeaker::~LinuxSpeaker() {
    if (consoleFd_ >= 0) consoleSound(0);
    closeAll();
}

std::vector<std::string> LinuxSpeaker::toneDevices(std::string_view list) {
    std::vector<std::string> found;
    std::string handler;
    bool sound = false, tone = false;
    auto endBlock = [&] {
        if (sound && tone && !handler.empty()) found.push_back(handler);
        handler.clear();
        sound = tone = false;
    };
    std::istringstream lines{std::string(list)};
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty()) endBlock();
        if (auto h = eventHandler(line); !h.empty()) handler = h;
        sound = sound || bitSet(line, "B: EV=", EV_SND);
        tone = tone || bitSet(line, "B: SND=", SND_TONE);
    }
    endBlock();
    return found;
}

std::vector<uint8_t> LinuxSpeaker::squareToneImage(int32_t frequency, int32_t durationMs) {
    uint32_t samples = durationMs > 0 ? static_cast<uint32_t>(durationMs) * (kToneRate / 1000) : 0;
    std::vector<uint8_t> b(kWaveHeaderSize + size_t(samples) + 4, 0);
    writeWaveHeader(std::span<uint8_t, kWaveHeaderSize>(b.data(), kWaveHeaderSize), false, false,
                    true, samples);
    const bool audible = frequency > 0 && uint32_t(frequency) < kToneRate / 2;
    for (uint32_t n = 0; n < samples; ++n) {
        // The phase in whole samples keeps every period exact over any length.
        uint64_t phase = uint64_t(n) * uint32_t(frequency) % kToneRate;
        b[kWaveHeaderSize + n] = !audible ? 128 : phase < kToneRate / 2 ? 0 : 255;
    }
    return b;
}

void LinuxSpeaker::closeAll() {
    if (eventFd_ >= 0) ::close(eventFd_);
    if (consoleFd_ >= 0) ::close(consoleFd_);
    eventFd_ = consoleFd_ = -1;
    eventName_.clear();
}

bool LinuxSpeaker::openSpeakerEvents(const std::vector<std::string>& names) {
    if (eventFd_ >= 0 && std::find(names.begin(), names.end(), eventName_) != names.end())
        return true;
    if (eventFd_ >= 0) ::close(eventFd_);
    eventFd_ = -1;
    for (const auto& name : names) {
        int fd = ::open((inputDir_ + "/" + name).c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) continue;
        eventFd_ = fd;
        eventName_ = name;
        return true;
    }
    return false;
}

bool LinuxSpeaker::openConsole() {
    if (consoleFd_ >= 0) return true;
    for (const char* path : {"/dev/tty0", "/dev/console"}) {
        int fd = ::open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        if (::ioctl(fd, KIOCSOUND, 0) == 0) {
            consoleFd_ = fd;
            return true;
        }
        ::close(fd);
    }
    return false;
}

LinuxSpeaker::Route LinuxSpeaker::probe() {
    auto names = toneDevices(readFile(inputDevicesList_));
    if (names.empty()) {
        closeAll();
        return Route::SoundCard;
    }
    if (openSpeakerEvents(names)) return Route::SpeakerEvents;
    if (openConsole()) return Route::Console;
    return Route::SoundCard;
}

bool LinuxSpeaker::hasBeepService() {
    route_ = probe();
    return route_ != Route::Console;
}

bool LinuxSpeaker::sendTone(int32_t frequency) {
    input_event event{};
    event.type = EV_SND;
    event.code = SND_TONE;
    event.value = frequency;
    return ::write(eventFd_, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

void LinuxSpeaker::beep(int32_t frequency, int32_t duration) {
    if (duration <= 0) return;
    if (route_ == Route::SpeakerEvents && eventFd_ >= 0 && sendTone(frequency)) {
        clock_.sleep(duration);
        sendTone(0);
        return;
    }
    soundCardBeep(frequency, duration);
}

void LinuxSpeaker::soundCardBeep(int32_t frequency, int32_t duration) {
    if (duration <= kLongestImageMs) {
        sound_.playSound(squareToneImage(frequency, duration), SND_MEMORY);
        return;
    }
    sound_.playSound(squareToneImage(frequency, 1000), SND_MEMORY | SND_ASYNC | SND_LOOP);
    clock_.sleep(duration);
    sound_.stopSound();
}

void LinuxSpeaker::keyDown(int32_t frequency, double atMs) {
    liveRoute_ = route_ = probe();
    if (liveRoute_ == Route::SpeakerEvents && sendTone(frequency)) return;
    if (liveRoute_ == Route::Console) {
        consoleSound(frequency > 0 ? kTimerHz / uint32_t(frequency) : 0);
        return;
    }
    liveRoute_ = Route::SoundCard;
    sound_.keyDownAt(frequency, TTGWave::tgSquare, atMs);
}

void LinuxSpeaker::keyUp(double atMs) {
    if (liveRoute_ == Route::SpeakerEvents && eventFd_ >= 0)
        sendTone(0);
    else if (liveRoute_ == Route::Console)
        consoleSound(0);
    else
        sound_.keyUpAt(atMs);
}

void LinuxSpeaker::consoleSound(uint32_t divisor) {
    if (consoleFd_ >= 0) ::ioctl(consoleFd_, KIOCSOUND, static_cast<unsigned long>(divisor));
}

uint8_t LinuxSpeaker::readPort(uint16_t port) {
    return port == kSpeakerGatePort ? gate_ : 0;
}

void LinuxSpeaker::writePort(uint16_t port, uint8_t value) {
    const bool sounding = (gate_ & 0x03) == 0x03;
    if (port == kSpeakerControlPort) {
        if (value == kSpeakerControlByte) lowByteNext_ = true;
        return;
    }
    if (port == kSpeakerDataPort) {
        divisor_ = lowByteNext_ ? uint16_t((divisor_ & 0xFF00) | value)
                                : uint16_t((divisor_ & 0x00FF) | (value << 8));
        lowByteNext_ = !lowByteNext_;
        if (sounding && lowByteNext_) consoleSound(divisor_);
        return;
    }
    if (port != kSpeakerGatePort) return;
    gate_ = value;
    const bool on = (gate_ & 0x03) == 0x03;
    if (on != sounding) consoleSound(on ? divisor_ : 0);
}

} // namespace kelvatron
