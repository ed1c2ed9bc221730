#include "platform/xkbkeyboardlayout.h"

namespace kelvatron {

void XkbKeyboardLayout::LoadKeyboardLayout(const char*) {}
void XkbKeyboardLayout::attach(QApplication&, QWidget&) {}

} // namespace kelvatron
