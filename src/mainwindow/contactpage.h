#pragma once
#include <QObject>
#include <optional>

#include "exercises/contactgenerator.h"

namespace kelvatron {

class Clock;
class ContactDrillView;
class DrillKeyer;
class LearnerHistory;

// The "Радиообмен" page's controller: keys a generated contact at the page's speed while the
// learner copies it, then checks the copy's fields and text. "Проверить" during the keying ends
// it and checks what was copied so far. The history keeps each contact's text check (kind
// "contact"); checked again, it keeps one record.
class ContactPage : public QObject {
    Q_OBJECT
public:
    ContactPage(ContactDrillView& view, DrillKeyer& keyer, Clock& clock, LearnerHistory& history);

    bool keying() const { return keying_; }
    void stop() { stopped_ = true; }
    const std::optional<Contact>& contact() const { return contact_; }

private:
    void keyContact();
    void check();

    ContactDrillView& view_;
    DrillKeyer& keyer_;
    Clock& clock_;
    LearnerHistory& history_;
    long long recordId_ = 0; // the contact's record in the history, 0 before its first check
    double keyedAtMs_ = 0;
    std::optional<Contact> contact_;
    bool keying_ = false;
    bool stopped_ = false;
};

} // namespace kelvatron
