#include "settings/settingsloader.h"

#include <algorithm>

#include "settings/settingstext.h"

namespace kelvatron {

namespace {

constexpr char kInvalidType[] = "invalid data type (not text)";

std::string problem(std::string_view name, const std::string& why) {
    return "Could not load property " + std::string(name) + ": " + why;
}

// The value of an entry as parse reads it, or nothing (and a listed problem naming the entry)
// when it cannot be taken.
template <class Number>
std::optional<Number>
loaded(std::string_view name, const StoredValue& stored, LoadProblems& problems,
       std::optional<Number> (*parse)(std::string_view), std::string (*why)(std::string_view)) {
    std::optional<Number> value;
    if (!stored.isText)
        problems.push_back(problem(name, kInvalidType));
    else if (!(value = parse(stored.text)))
        problems.push_back(problem(name, why(stored.text)));
    return value;
}

std::optional<int> loadedInteger(std::string_view name, const StoredValue& stored,
                                 LoadProblems& problems) {
    return loaded(name, stored, problems, parseIntegerText, integerTextError);
}

// Far beyond any screen, and far enough from the int limits that adding the size cannot overflow.
constexpr int kFarthestCoordinate = 1 << 24;

int clampedCoordinate(int value) {
    return std::clamp(value, -kFarthestCoordinate, kFarthestCoordinate);
}

} // namespace

LoadProblems loadProps(const ValueLookup& lookup, PropValues& values) {
    LoadProblems problems;
    for (std::size_t i = 0; i < kProps.size(); ++i) {
        const PropEntry& entry = kProps[i];
        const std::optional<StoredValue> stored = lookup(entry.path);
        if (!stored) continue;
        if (entry.kind == PropKind::Float) {
            if (std::optional<double> value =
                    loaded(entry.path, *stored, problems, parseFloatText, floatTextError))
                values[i] = *value;
        } else if (std::optional<int> value = loadedInteger(entry.path, *stored, problems)) {
            // Any ordinal but 0 is True, as for a boolean set from its ordinal.
            values[i] = entry.kind == PropKind::Boolean ? (*value != 0 ? 1 : 0) : *value;
        }
    }
    return problems;
}

LoadProblems loadWindowPlace(const ValueLookup& lookup, WindowPlace& place) {
    LoadProblems problems;
    WindowPlace loaded = place;
    int* targets[] = {&loaded.left, &loaded.top, &loaded.state};
    const std::string_view names[] = {kWindowValueNames[0], kWindowValueNames[1],
                                      kWindowValueNames[4]};
    for (int i = 0; i < 3; ++i)
        if (std::optional<StoredValue> stored = lookup(names[i]))
            if (std::optional<int> value = loadedInteger(names[i], *stored, problems))
                *targets[i] = *value;
    loaded.left = clampedCoordinate(loaded.left);
    loaded.top = clampedCoordinate(loaded.top);
    if (loaded.state < 0 || loaded.state > 2) loaded.state = place.state;
    loaded.right = loaded.left + (place.right - place.left);
    loaded.bottom = loaded.top + (place.bottom - place.top);
    place = loaded;
    return problems;
}

} // namespace kelvatron
