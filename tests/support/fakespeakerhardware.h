#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "keying/speaker.h"
#include "support/fakeclock.h"

namespace kelvatron::test {

// Records every port access and beep, in order. Ports read back the last value written (or the
// preset in `ports`); a beep moves the fake clock on by its duration, as the real one blocks.
class FakeSpeakerHardware : public SpeakerHardware {
public:
    struct Access {
        enum Kind { Read, Write, Beep } kind;
        uint16_t port = 0;
        uint8_t value = 0;
        int32_t frequency = 0, duration = 0;
        double atMs = 0;
        bool operator==(const Access&) const = default;
    };

    explicit FakeSpeakerHardware(FakeClock* clock = nullptr) : clock_(clock) {}

    bool hasBeepService() override {
        ++queries;
        return beepService;
    }
    void beep(int32_t frequency, int32_t duration) override {
        log.push_back({Access::Beep, 0, 0, frequency, duration, time()});
        if (!clock_) return;
        clock_->log.push_back("beep " + std::to_string(frequency) + " " + std::to_string(duration));
        if (duration > 0) clock_->advance(duration);
    }
    uint8_t readPort(uint16_t port) override {
        log.push_back({Access::Read, port, ports[port], 0, 0, time()});
        return ports[port];
    }
    void writePort(uint16_t port, uint8_t value) override {
        ports[port] = value;
        log.push_back({Access::Write, port, value, 0, 0, time()});
    }

    // The writes only, as (port, value) pairs.
    std::vector<std::pair<uint16_t, uint8_t>> writes() const {
        std::vector<std::pair<uint16_t, uint8_t>> out;
        for (const auto& a : log)
            if (a.kind == Access::Write) out.emplace_back(a.port, a.value);
        return out;
    }

    bool beepService = false;
    int queries = 0;
    std::map<uint16_t, uint8_t> ports;
    std::vector<Access> log;

private:
    double time() const { return clock_ ? clock_->now() : 0; }
    FakeClock* clock_;
};

} // namespace kelvatron::test
