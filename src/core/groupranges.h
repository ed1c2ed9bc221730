#pragma once
#include <cstdint>

namespace kelvatron {

// The steppers' ranges of the group settings: the transmission keeps a stored or typed value
// within them, the settings mend a stored one onto them.
inline constexpr int32_t kMaxGroupSize = 100;
inline constexpr int32_t kMaxGroupCount = 200;

} // namespace kelvatron
