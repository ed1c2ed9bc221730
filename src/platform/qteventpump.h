#pragma once
#include "core/eventpump.h"

namespace kelvatron {

// The window's message loop: Qt's event dispatcher.
class QtEventPump : public EventPump {
public:
    void processEvents() override;
    void waitForEvents() override;
    void processEventsButInput() override;
};

} // namespace kelvatron
