#pragma once

namespace kelvatron {

// Teaches Qt's accessibility layer the roles of the widget set (button, check box, label,
// progress bar, group), so a screen reader announces every key, option and display with its
// name, role and state. Call once after the QApplication exists.
void installWidgetAccessibility();

} // namespace kelvatron
