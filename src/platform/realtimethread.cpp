#include "platform/realtimethread.h"

#include <SDL.h>
#include <sched.h>
#include <unistd.h>

namespace kelvatron {

void makeRealtime(long threadId) {
    sched_param param{};
    param.sched_priority = kSoundThreadPriority;
    if (::sched_setscheduler(static_cast<pid_t>(threadId), SCHED_RR | SCHED_RESET_ON_FORK,
                             &param) == 0)
        return;
    // SDL speaks to RealtimeKit over D-Bus.
    SDL_LinuxSetThreadPriorityAndPolicy(threadId, SDL_THREAD_PRIORITY_TIME_CRITICAL, SCHED_RR);
}

void raiseCallerPriority() {
    // Tries setpriority() first, then RealtimeKit.
    SDL_LinuxSetThreadPriority(::gettid(), kScheduleThreadNiceness);
}

} // namespace kelvatron
