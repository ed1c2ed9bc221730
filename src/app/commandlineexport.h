#pragma once

namespace kelvatron {

// Whether the program was started to export to an audio file (or to list the export options)
// rather than to open its window.
bool isExportCommandLine(int argc, char** argv);

// Runs the export without a window, and without a display: only Qt Core is started, to find the
// learner's stored settings, which are read and never written. Returns the exit status; SIGINT,
// SIGTERM or SIGHUP cancel the export, remove its unfinished file and end the program by that
// signal.
int runCommandLineExport(int argc, char** argv);

} // namespace kelvatron
