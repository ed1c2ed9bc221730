#pragma once

class QWidget;

namespace kelvatron {

struct FormControls;
class Dialogs;

// Keeps the settings of the window's controls and its placement per user between runs.
class SettingsStore {
public:
    SettingsStore(FormControls& ui, QWidget& window, Dialogs& dialogs);

    // Once, before the window is first shown.
    void load();
    // Once, as the program ends.
    void save();

private:
    FormControls& ui_;
    QWidget& window_;
    Dialogs& dialogs_;
};

} // namespace kelvatron
