#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settingsprops.h"

namespace kelvatron {

// One value of every Props entry, in Props order: a display's value, the speed percentage, or a
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

// Reads every Props entry in order over `values`, which hold the current (default) values. A
// missing value or integer text that is no number keeps the default. Float text that is no
// number, or a value that is not text, stops the loading there and returns the message for the
// error box; the entries before it keep what was loaded.
std::optional<std::string> loadProps(const ValueLookup& lookup, PropValues& values);

// Reads the stored left, top and state over `place`. The window has no sizeable border, so the
// size stays and right and bottom follow from it. A value that is not text stops the reading and
// returns the message; nothing of `place` is changed then.
std::optional<std::string> loadWindowPlace(const ValueLookup& lookup, WindowPlace& place);

} // namespace kelvatron
