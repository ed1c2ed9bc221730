#pragma once

class QLabel;
class QSpinBox;
class QWidget;

namespace kelvatron {

class TglCheckBox;

// The Farnsworth choice in the training panel: an option and the effective speed typed in signs
// per minute, with its WPM beside it. The signs keep the speed bar's dot; only the gaps stretch.
class FarnsworthRow {
public:
    FarnsworthRow(QWidget* panel, int x, int y, int width);

    // The signs per minute the gaps stretch to, 0 when the option is off.
    int effectiveSignsPerMinute() const;
    void set(bool on, int signsPerMinute);
    bool on() const;
    int signsPerMinute() const;

    TglCheckBox* option() const { return option_; }
    QSpinBox* speedBox() const { return speed_; }

private:
    void refreshWpm();

    TglCheckBox* option_;
    QSpinBox* speed_;
    QLabel* wpm_;
};

} // namespace kelvatron
