#pragma once
#include <QObject>

class QSocketNotifier;

namespace kelvatron {

// Turns the signals that ask the program to end (SIGTERM, SIGINT, SIGHUP) into a Qt signal on
// the GUI thread. The handler only raises the termination request's atomic flag and writes the
// signal's number into a pipe, the things that are safe there; the event loop reads the pipe and
// emits requested(). A request that comes before listen() waits in the pipe.
class TerminationRequests : public QObject {
    Q_OBJECT
public:
    // Installs the handlers: first thing in main, so that even a request during the toolkit's
    // start waits instead of ending the program unsaved.
    static void catchSignals();
    ~TerminationRequests() override;

    // Starts delivering requests, once whoever ends the program is connected.
    void listen();

signals:
    void requested();

private:
    void drain();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kelvatron
