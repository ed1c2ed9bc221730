#pragma once
#include <array>
#include <cstddef>
#include <string_view>

#include "core/groupranges.h"

namespace kelvatron {

// How a persisted property is written: float text ("800"), integer text ("20"), or a boolean as
// its ordinal ("0", "1").
enum class PropKind { Float, Integer, Boolean };

struct PropEntry {
    std::string_view path; // control and property joined by a dot; also the stored value's name
    PropKind kind;
};

inline constexpr std::size_t kPropCount = 23;

// The persisted properties, in the order they are loaded and saved. A load that fails part-way
// keeps what came before the failing entry, so the order matters.
// clang-format off
inline constexpr std::array<PropEntry, kPropCount> kProps = {{
    {"glDigits5.Value", PropKind::Float},
    {"glDigits6.Value", PropKind::Float},
    {"glDigits7.Value", PropKind::Float},
    {"glDigits8.Value", PropKind::Float},
    {"glDigits9.Value", PropKind::Float},
    {"glDigits10.Value", PropKind::Float},
    {"glProgress1.Percent", PropKind::Integer},
    {"glCheckBox4.Checked", PropKind::Boolean},
    {"glCheckBox5.Checked", PropKind::Boolean},
    {"glCheckBox6.Checked", PropKind::Boolean},
    {"glCheckBox7.Checked", PropKind::Boolean},
    {"glCheckBox1.Checked", PropKind::Boolean},
    {"glCheckBox2.Checked", PropKind::Boolean},
    {"glCheckBox3.Checked", PropKind::Boolean},
    {"glCheckBox13.Checked", PropKind::Boolean},
    {"glCheckBox14.Checked", PropKind::Boolean},
    {"glCheckBox15.Checked", PropKind::Boolean},
    {"glCheckBox16.Checked", PropKind::Boolean},
    {"glCheckBox17.Checked", PropKind::Boolean},
    {"glCheckBox18.Checked", PropKind::Boolean},
    {"glCheckBox19.Checked", PropKind::Boolean},
    {"glCheckBox20.Checked", PropKind::Boolean},
    {"glCheckBox21.Checked", PropKind::Boolean},
}};
// clang-format on

// Positions in kProps: what each stored value stands for.
namespace prop {
// The six displays, in the order of kDisplayRanges.
inline constexpr std::size_t FirstDisplay = 0;
inline constexpr std::size_t DisplayCount = 6;
inline constexpr std::size_t Frequency = 0;  // Hz
inline constexpr std::size_t Ratio = 1;      // dash in dots
inline constexpr std::size_t SignPause = 2;  // in dashes
inline constexpr std::size_t GroupPause = 3; // in pairs of dashes
inline constexpr std::size_t GroupSize = 4;
inline constexpr std::size_t GroupCount = 5;
inline constexpr std::size_t Speed = 6; // the speed unit in ms
// The switches, 0 or 1, from here to the end.
inline constexpr std::size_t FirstBoolean = 7;
inline constexpr std::size_t FirstSource = 7;  // in TransmissionSource order, one of four
inline constexpr std::size_t FirstHint = 11;   // the sign's character, code, mnemonic
inline constexpr std::size_t FirstOutput = 14; // the PC speaker, then the sound card
inline constexpr std::size_t Speaker = 14;
inline constexpr std::size_t SoundCard = 15;
inline constexpr std::size_t FirstWaveform = 16; // in TTGWave order, one of five
inline constexpr std::size_t WaveformCount = 5;
inline constexpr std::size_t Opening = 21;
inline constexpr std::size_t Closing = 22;
} // namespace prop
static_assert(kProps[prop::Frequency].path == "glDigits5.Value" &&
              kProps[prop::GroupCount].path == "glDigits10.Value" &&
              kProps[prop::Speed].path == "glProgress1.Percent" &&
              kProps[prop::FirstSource].path == "glCheckBox4.Checked" &&
              kProps[prop::FirstHint].path == "glCheckBox1.Checked" &&
              kProps[prop::Speaker].path == "glCheckBox13.Checked" &&
              kProps[prop::FirstWaveform].path == "glCheckBox15.Checked" &&
              kProps[prop::Opening].path == "glCheckBox20.Checked" &&
              kProps[prop::Closing].path == "glCheckBox21.Checked" &&
              prop::Closing + 1 == kPropCount);

// The window's placement, stored beside the properties under names that begin with a dot.
inline constexpr std::array<std::string_view, 5> kWindowValueNames = {".Left", ".Top", ".Right",
                                                                      ".Bottom", ".WindowState"};

// Where each display's steppers stop and how far one press moves it. A value off this grid would
// never equal a stop value, so the steppers would run it past the range.
struct StepperRange {
    double step;
    double low;
    double high;
};
inline constexpr std::array<StepperRange, prop::DisplayCount> kDisplayRanges = {{
    {100, 100, 5000},       // frequency, Hz
    {1, 3, 6},              // dash-to-dot ratio
    {1, 1, 4},              // pause between signs, dashes
    {1, 1, 4},              // pause between groups, pairs of dashes
    {1, 1, kMaxGroupSize},  // signs per group
    {1, 1, kMaxGroupCount}, // number of groups
}};
inline constexpr int kFastestSpeed = 10; // the speed unit's bounds, ms
inline constexpr int kSlowestSpeed = 100;

} // namespace kelvatron
