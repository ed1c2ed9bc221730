#pragma once
#include "settings/settingsloader.h"

namespace kelvatron {

struct FormControls;

// The stored settings' values as the window's controls hold them now, in kProps order.
PropValues storedValuesOf(const FormControls& ui);
// Sets the controls to stored values, running no handler.
void showStoredValues(const FormControls& ui, const PropValues& values);

} // namespace kelvatron
