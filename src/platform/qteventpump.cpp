#include "platform/qteventpump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace kelvatron {

void QtEventPump::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::waitForEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace kelvatron
