#pragma once

namespace kelvatron {

struct FormControls;
class SignPlayer;

// The settings panel's handlers: output and waveform choices, the steppers beside the displays,
// the speed buttons, the sound test, and the status bar that repeats four of the values.
class SettingsPanel {
public:
    SettingsPanel(FormControls& ui, SignPlayer& player);

    void chooseSpeaker();   // glCheckBox13
    void chooseSoundCard(); // glCheckBox14
    // A click on one of the five waveform options glCheckBox15..19 (index 0..4).
    void waveformClick(int index);
    // The minus (glCheckBox24..29) and plus (glCheckBox30..35) buttons of display index 0..5
    // (glDigits5..10).
    void minusClick(int index);
    void plusClick(int index);
    void faster();    // glCheckBox11
    void slower();    // glCheckBox12
    void soundTest(); // glGraphicButton3, pressed: Т Е С Т
    void close();     // glGraphicButton2
    // Dot length, group size, group count and frequency into the status bar.
    void refreshStatusBar();

private:
    void copyToStatusBar(int index);

    FormControls& ui_;
    SignPlayer& player_;
};

} // namespace kelvatron
