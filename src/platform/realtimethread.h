#pragma once
#include <set>

namespace kelvatron {

// Below the sound server's own threads (PulseAudio asks for 5) and above everything else.
inline constexpr int kSoundThreadPriority = 4;

// Real-time round-robin scheduling for one of this process's threads (a kernel thread id):
// directly where the process may (root, or a real-time limit), else through the desktop's
// RealtimeKit. Quietly leaves the thread as it is where neither allows it.
void makeRealtime(long threadId);

// The niceness asked for the thread that keeps the program's schedule (the window's thread, whose
// waits time every tone): the sound server's own main thread asks for -11.
inline constexpr int kScheduleThreadNiceness = -10;

// A high, not real-time, priority for the calling thread: it still shares the processor, but a
// busy program of normal priority no longer delays its wake-ups by tens of milliseconds.
// Directly where the process may, else through RealtimeKit; quietly nothing where neither allows.
void raiseCallerPriority();

// The kernel thread ids of this process's threads now: the ones a library call started are
// those that were not there before it.
std::set<long> processThreadIds();

} // namespace kelvatron
