#include "platform/qteventpump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace kelvatron {

void QtEventPump::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::waitForEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// Only the events posted to this thread: repaints, and the calls the accessibility bridge's D-Bus
// thread hands over. The window system's queue, where keys and clicks wait, is not read at all:
// excluding input while reading it (ExcludeUserInputEvents) sets the input aside where the next
// full pass does not look until another window system event comes, so typed keys would stall.
void QtEventPump::processEventsButInput() {
    QCoreApplication::sendPostedEvents();
}

} // namespace kelvatron
