#pragma once

namespace kelvatron {

// Teaches Qt's accessibility layer the roles of the displays and panels of the widget set
// (digits, progress bars, groups, plain labels), so a screen reader announces them with their
// name, role and value. The buttons are Qt's own. Call once after the QApplication exists.
void installWidgetAccessibility();

} // namespace kelvatron
