#include "tonegen/tonegengroup.h"

namespace kelvatron {

ToneGenGroup& ToneGenGroup::program() {
    static ToneGenGroup group;
    return group;
}

} // namespace kelvatron
