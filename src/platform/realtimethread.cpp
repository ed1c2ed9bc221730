#include "platform/realtimethread.h"

#include <SDL.h>
#include <dirent.h>
#include <sched.h>
#include <unistd.h>

#include <cstdlib>

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

std::set<long> processThreadIds() {
    std::set<long> ids;
    if (DIR* dir = ::opendir("/proc/self/task")) {
        while (dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.') ids.insert(std::strtol(entry->d_name, nullptr, 10));
        ::closedir(dir);
    }
    return ids;
}

} // namespace kelvatron
