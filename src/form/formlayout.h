#pragma once

class QWidget;

namespace kelvatron {

struct FormControls;

// Builds every control of the main window on form at its place, with its caption, hint and
// default, as the window is laid out for a client area of 792 x 573 pixels. Floating panels and
// the exit confirmation start hidden.
void buildFormControls(QWidget* form, FormControls& ui);

} // namespace kelvatron
