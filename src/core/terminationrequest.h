#pragma once

namespace kelvatron {

// A request to end the program (SIGTERM, SIGINT, SIGHUP), raised from the signal handler: a
// lock-free atomic flag is the one kind of shared state a handler may write. The window hears of
// the request through its event loop; the stretches that handle no event (a transmission's
// opening and closing, every wait, a long generation) look at the flag instead, so that the
// program still ends within a second.
void raiseTerminationRequest() noexcept;
bool terminationRequested() noexcept;
// Forgets a request, so that a test can raise one of its own.
void clearTerminationRequest() noexcept;

} // namespace kelvatron
