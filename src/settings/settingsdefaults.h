#pragma once
#include "settings/settingsloader.h"

namespace kelvatron {

// The persisted values of a fresh window, in kProps order: what the layout sets before any
// settings are loaded. A front end without the window (the command-line export) starts from these.
// clang-format off
inline constexpr PropValues kLayoutDefaults = {
    800, 3, 1, 1, 5, 10, // frequency, ratio, sign pause, group pause, group size, group count
    20,                  // speed unit, ms
    1, 0, 0, 0,          // source: digits
    1, 1, 0,             // hints: symbol, code
    1, 0,                // output: speaker
    1, 0, 0, 0, 0,       // waveform: sine
    1, 1,                // opening, closing
};
// clang-format on

} // namespace kelvatron
