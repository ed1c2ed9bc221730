#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "keying/livespeakertone.h"
#include "keying/speaker.h"
#include "tonegen/sounddevice.h"

namespace kelvatron {

// The PC speaker on Linux. A speaker is trusted only where the kernel lists an input device
// that can sound tones (EV_SND with SND_TONE). Its event device is the beep service; where that
// cannot be opened, the console's KIOCSOUND ioctl stands in for the timer and gate ports, which
// are emulated. Without a speaker (most desktops, every container) the beep service is a square
// tone of the same frequency and length through the sound card, so the output is audible on any
// computer. The choice is made afresh for every tone.
class LinuxSpeaker : public SpeakerHardware, public LiveSpeakerTone {
public:
    enum class Route { SpeakerEvents, Console, SoundCard };

    LinuxSpeaker(SoundDevice& sound, Clock& clock,
                 std::string inputDevicesList = "/proc/bus/input/devices",
                 std::string inputDir = "/dev/input");
    ~LinuxSpeaker() override;
    LinuxSpeaker(const LinuxSpeaker&) = delete;
    LinuxSpeaker& operator=(const LinuxSpeaker&) = delete;

    bool hasBeepService() override;
    void beep(int32_t frequency, int32_t duration) override;
    uint8_t readPort(uint16_t port) override;
    void writePort(uint16_t port, uint8_t value) override;

    // The hand's live tone, on the route a fresh query chooses: the speaker's own tone, or a
    // square tone through the sound card's live path. It sounds until keyUp().
    void keyDown(int32_t frequency, double atMs) override;
    void keyUp(double atMs) override;

    // The route chosen by the last query.
    Route route() const { return route_; }

    // Event device names ("event3") of the tone-capable devices in the kernel's input device list.
    static std::vector<std::string> toneDevices(std::string_view inputDevicesList);
    // An 8-bit mono 96 kHz WAVE image of a square wave, low half first; silence where the
    // frequency cannot be represented at that rate.
    static std::vector<uint8_t> squareToneImage(int32_t frequency, int32_t durationMs);

private:
    Route probe();
    bool openSpeakerEvents(const std::vector<std::string>& names);
    bool openConsole();
    void closeAll();
    bool sendTone(int32_t frequency);
    void soundCardBeep(int32_t frequency, int32_t duration);
    void consoleSound(uint32_t divisor);

    SoundDevice& sound_;
    Clock& clock_;
    std::string inputDevicesList_;
    std::string inputDir_;
    Route route_ = Route::SoundCard;
    Route liveRoute_ = Route::SoundCard; // where the held key sounds
    int eventFd_ = -1;
    std::string eventName_;
    int consoleFd_ = -1;

    // The emulated timer channel 2 and speaker gate.
    uint8_t gate_ = 0;
    uint16_t divisor_ = 0;
    bool lowByteNext_ = true;
};

} // namespace kelvatron
