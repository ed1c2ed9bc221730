#pragma once
#include <cstdint>
#include <string_view>

#include "render/exportrenderer.h"

namespace kelvatron {

// The longest the keying of a job can last, in ms, known before any of it is keyed: every sign
// as long as the longest of the sign table, every character of the text as long as a full stop
// (Т Ч К between two group pauses, then the sign itself), every pause as the settings make it,
// and a second to spare. text is the window's text as the keying will find it (after the
// jargon words are written). The file's size follows from it: an export never outlasts it.
double longestKeyingMs(const ExportJob& job, std::string_view text);

} // namespace kelvatron
