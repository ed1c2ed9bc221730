#pragma once
#include <QObject>
#include <optional>

#include "exercises/contactgenerator.h"

namespace kelvatron {

class Clock;
class ContactDrillView;
class DrillKeyer;

// The "Радиообмен" page's controller: keys a generated contact at the page's speed while the
// learner copies it, then checks the copy's fields and text. "Проверить" during the keying ends
// it and checks what was copied so far.
class ContactPage : public QObject {
    Q_OBJECT
public:
    ContactPage(ContactDrillView& view, DrillKeyer& keyer, Clock& clock);

    bool keying() const { return keying_; }
    void stop() { stopped_ = true; }
    const std::optional<Contact>& contact() const { return contact_; }

private:
    void keyContact();
    void check();

    ContactDrillView& view_;
    DrillKeyer& keyer_;
    Clock& clock_;
    std::optional<Contact> contact_;
    bool keying_ = false;
    bool stopped_ = false;
};

} // namespace kelvatron
