#pragma once

namespace kelvatron {

// Speeds in words per minute take the word PARIS: 50 dot units with its word space, counted as
// five signs when speeds are given in signs per minute.
inline constexpr double kDotsPerWord = 50;
inline constexpr double kSignsPerWord = 5;
inline constexpr double kMsPerMinute = 60000;

} // namespace kelvatron
