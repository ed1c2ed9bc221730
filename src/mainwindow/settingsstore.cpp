#include "mainwindow/settingsstore.h"

namespace kelvatron {

SettingsStore::SettingsStore(FormControls& ui, QWidget& window, Dialogs& dialogs)
    : ui_(ui), window_(window), dialogs_(dialogs) {}

void SettingsStore::load() {}
void SettingsStore::save() {}

} // namespace kelvatron
