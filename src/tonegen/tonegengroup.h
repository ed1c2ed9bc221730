#pragma once
#include <cstdint>

namespace kelvatron {

// The tone generators that share a device's volume: the first live one saves it and the last
// one puts it back. The window's generators share the program's group; an export's generator
// has a group of its own, so an export on a worker thread writes nothing the window's use.
class ToneGenGroup {
public:
    static ToneGenGroup& program();

    int32_t instances = 0;
    uint32_t savedDeviceVolume = 0;
};

} // namespace kelvatron
