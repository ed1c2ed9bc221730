#include "mainwindow/airswitch.h"

#include <random>

#include "audio/airchain.h"
#include "audio/timelinedevice.h"
#include "keying/keyingsettings.h"

namespace kelvatron {

AirConditions AirSwitch::conditionsFor(AirOccasion occasion) const {
    AirConditions c = settings_.conditions;
    c.on = settings_.hears(occasion);
    const KeyingSettings k = keying_.keyingSettings();
    c.toneHz = k.frequency;
    c.tonePower = fullScalePower(k.waveform);
    c.dotMs = k.cardDotMs();
    return c;
}

SignalChainMaker AirSwitch::exportChain() const {
    const AirConditions c = conditionsFor(AirOccasion::Export);
    return c.on ? airChainMaker(c) : SignalChainMaker{};
}

std::unique_ptr<SignalChain> AirSwitch::chainFor(AirOccasion occasion, uint32_t rate) const {
    if (!settings_.hears(occasion)) return nullptr;
    return airChainMaker(conditionsFor(occasion))(rate, std::random_device{}(), ChainStream::Placed);
}

void AirSwitch::begin(AirOccasion occasion) {
    if (!device_ || !settings_.hears(occasion)) return;
    on_ = device_->setChain(airChainMaker(conditionsFor(occasion)), std::random_device{}());
}

void AirSwitch::end() {
    if (!on_ || !device_) return;
    on_ = false;
    device_->setChain([](uint32_t, uint32_t, ChainStream) { return std::make_unique<SignalChain>(); });
}

} // namespace kelvatron
