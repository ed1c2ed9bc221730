#pragma once

namespace kelvatron {

class FarnsworthRow;
class FormKeyingSettings;

// Keeps the Farnsworth choice in the settings file's own [Farnsworth] group (never "Form1"):
// read at start, written when changed, and handed to the window's keying settings, so the
// transmission, the receive exercise and the export all key with it. Off by default.
void bindFarnsworthSetting(FarnsworthRow& row, FormKeyingSettings& keying);

} // namespace kelvatron
