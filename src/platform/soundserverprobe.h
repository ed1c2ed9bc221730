#pragma once
#include <string>

namespace kelvatron {

// Where the PulseAudio or PipeWire server sends what it is given: its name and its default
// output, asked once at start-up on a connection of its own.
struct SoundServerOutput {
    bool answered = false;
    std::string server;      // "pulseaudio 16.1", "PulseAudio (on PipeWire 0.3.65) 15.0.0"
    std::string sink;        // the default output's name; empty when the server has none
    std::string description; // the output's name for people ("Dummy Output")
};

// Asks the server the environment names (PULSE_SERVER, or the user's own); waits a second at most.
SoundServerOutput probeSoundServer();

// Empty when the default output leads somewhere; otherwise, in Russian, that the server plays into
// a dummy output (PulseAudio and PipeWire make one, "auto_null", where they find no card) or into
// none, and what to do.
std::string silentServerReason(const SoundServerOutput& output);

} // namespace kelvatron
