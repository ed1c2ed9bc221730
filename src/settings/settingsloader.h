#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settingsprops.h"

namespace kelvatron {

// One value of every kProps entry, in kProps order: a display's value, the speed percentage, or a
// check box as 0 or 1.
using PropValues = std::array<double, kPropCount>;

// A value as the store holds it: text, or something else (a list, a binary value) that no
// property can take.
struct StoredValue {
    bool isText = true;
    std::string text;
};

// Finds a stored value by name; nothing when there is none.
using ValueLookup = std::function<std::optional<StoredValue>(std::string_view name)>;

// The window's normal-position rectangle in screen coordinates and its state (0 normal,
// 1 minimised, 2 maximised).
struct WindowPlace {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int state = 0;
};

// What could not be loaded: one line per entry, naming it, for the message at start-up.
using LoadProblems = std::vector<std::string>;

// Reads every kProps entry in order over `values`, which hold the current (default) values. A
// missing value keeps the default. A value that cannot be taken (text that is no number, a value
// that is not text) keeps the default as well and is listed; the entries after it still load.
LoadProblems loadProps(const ValueLookup& lookup, PropValues& values);

// Reads the stored left, top and state over `place`. The window has no sizeable border, so the
// size stays and right and bottom follow from it. A value that cannot be taken keeps the current
// one and is listed.
LoadProblems loadWindowPlace(const ValueLookup& lookup, WindowPlace& place);

} // namespace kelvatron
