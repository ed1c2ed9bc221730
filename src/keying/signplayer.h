#pragma once
#include <cstdint>
#include <string_view>

namespace kelvatron {

class Clock;
class KeyingSettingsSource;
class TextWindow;
class ToneOutput;
struct KeyingSettings;
struct SignRecord;
struct TimingValues;

// Sounds single elements and whole signs through the chosen output. The timing is derived
// afresh from the settings before every element, so a change takes effect at the next one.
class SignPlayer {
public:
    SignPlayer(const KeyingSettingsSource& settings, ToneOutput& output, TextWindow& text,
               Clock& clock, TimingValues& timing);

    // One element: 1 a dot, 2 a dash.
    void keyElement(int kind);
    // Shows the sign (character, code, mnemonic as the hint options choose), then keys it.
    // s is one Windows-1251 character; anything that is no sign does nothing at all.
    void showAndKeySign(std::string_view s);
    // Keys the sign without showing it.
    void keySign(std::string_view s);
    // The elements of a sign, each followed by a dot's silence, without the pause after the sign
    // (a transmission spends that pause writing the window before it sleeps the rest).
    void keyElements(const SignRecord& sign);
    ToneOutput& output() { return output_; }

private:
    void derivePauses(const KeyingSettings& s);
    void stretchGaps(int32_t effectiveSignsPerMinute);
    // The elements, then the pause after a sign.
    void key(const SignRecord& sign);

    const KeyingSettingsSource& settings_;
    ToneOutput& output_;
    TextWindow& text_;
    Clock& clock_;
    TimingValues& timing_;
};

} // namespace kelvatron
