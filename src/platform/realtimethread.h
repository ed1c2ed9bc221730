#pragma once

namespace kelvatron {

// Below the sound server's own threads (PulseAudio asks for 5) and above everything else.
inline constexpr int kSoundThreadPriority = 4;

// Real-time round-robin scheduling for one of this process's threads (a kernel thread id):
// directly where the process may (root, or a real-time limit), else through the desktop's
// RealtimeKit. Quietly leaves the thread as it is where neither allows it.
void makeRealtime(long threadId);

} // namespace kelvatron
