#include "app/terminationrequests.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "core/terminationrequest.h"

namespace kelvatron {

namespace {

int pipeEnds[2] = {-1, -1};
constexpr int kRequests[] = {SIGTERM, SIGINT, SIGHUP};

void onRequest(int signal) {
    const int savedErrno = errno;
    // Heard at once by the waits that handle no event; the pipe wakes the event loop.
    raiseTerminationRequest();
    const char number = char(signal);
    // A full pipe already holds a request; this one may go.
    [[maybe_unused]] ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = savedErrno;
}

} // namespace

void TerminationRequests::catchSignals() {
    if (pipeEnds[0] >= 0 || ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // installed already, or the default actions stay
    struct sigaction action {};
    action.sa_handler = onRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kRequests)
        ::sigaction(signal, &action, nullptr);
}

TerminationRequests::~TerminationRequests() {
    for (int signal : kRequests)
        std::signal(signal, SIG_DFL);
    for (int& end : pipeEnds) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

void TerminationRequests::listen() {
    if (pipeEnds[0] < 0 || notifier_) return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationRequests::drain);
}

void TerminationRequests::drain() {
    char numbers[16];
    while (::read(pipeEnds[0], numbers, sizeof numbers) > 0) {
    }
    emit requested();
}

} // namespace kelvatron
