#include "settings/settingsloader.h"

#include <algorithm>

#include "settings/settingstext.h"

namespace kelvatron {

namespace {

std::string invalidTypeMessage(std::string_view name) {
    return "Invalid data type for '" + std::string(name) + "'";
}

// Whole numbers: text that is no number keeps the default.
double loadedInteger(const std::string& text, double fallback) {
    std::optional<int> value = parseIntegerText(text);
    return value ? double(*value) : fallback;
}

// Far beyond any screen, and far enough from the int limits that adding the size cannot overflow.
constexpr int kFarthestCoordinate = 1 << 24;

int clampedCoordinate(int value) {
    return std::clamp(value, -kFarthestCoordinate, kFarthestCoordinate);
}

} // namespace

std::optional<std::string> loadProps(const ValueLookup& lookup, PropValues& values) {
    for (std::size_t i = 0; i < Props.size(); ++i) {
        const PropEntry& entry = Props[i];
        std::optional<StoredValue> stored = lookup(entry.path);
        if (!stored) continue;
        if (!stored->isText) return "Could not load property: " + invalidTypeMessage(entry.path);
        switch (entry.kind) {
        case PropKind::Float:
            if (std::optional<double> value = parseFloatText(stored->text))
                values[i] = *value;
            else
                return "Could not load property: " + floatTextError(stored->text);
            break;
        case PropKind::Integer:
            values[i] = loadedInteger(stored->text, values[i]);
            break;
        case PropKind::Boolean:
            // Any ordinal but 0 is True, as for a boolean set from its ordinal.
            values[i] = loadedInteger(stored->text, values[i]) != 0 ? 1 : 0;
            break;
        }
    }
    return std::nullopt;
}

std::optional<std::string> loadWindowPlace(const ValueLookup& lookup, WindowPlace& place) {
    WindowPlace loaded = place;
    int* targets[] = {&loaded.left, &loaded.top, &loaded.state};
    const std::string_view names[] = {WindowValueNames[0], WindowValueNames[1],
                                      WindowValueNames[4]};
    for (int i = 0; i < 3; ++i) {
        std::optional<StoredValue> stored = lookup(names[i]);
        if (!stored) continue;
        if (!stored->isText) return invalidTypeMessage(names[i]);
        *targets[i] = int(loadedInteger(stored->text, *targets[i]));
    }
    loaded.left = clampedCoordinate(loaded.left);
    loaded.top = clampedCoordinate(loaded.top);
    if (loaded.state < 0 || loaded.state > 2) loaded.state = place.state;
    loaded.right = loaded.left + (place.right - place.left);
    loaded.bottom = loaded.top + (place.bottom - place.top);
    place = loaded;
    return std::nullopt;
}

} // namespace kelvatron
