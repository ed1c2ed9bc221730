#include "mainwindow/airswitch.h"

#include <random>

#include "audio/airchain.h"
#include "audio/timelinedevice.h"
#include "keying/keyingsettings.h"

namespace kelvatron {

void AirSwitch::begin(bool forTransmission) {
    AirConditions c = settings_.conditions;
    if (!device_ || !c.on || (forTransmission && !settings_.onTransmission)) return;
    const KeyingSettings k = keying_.keyingSettings();
    c.toneHz = k.frequency;
    c.tonePower = fullScalePower(k.waveform);
    c.dotMs = k.cardDotMs();
    on_ = device_->setChain(airChainMaker(c), std::random_device{}());
}

void AirSwitch::end() {
    if (!on_ || !device_) return;
    on_ = false;
    device_->setChain([](uint32_t, uint32_t, ChainStream) { return std::make_unique<SignalChain>(); });
}

} // namespace kelvatron
