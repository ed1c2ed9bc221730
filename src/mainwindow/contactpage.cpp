#include "mainwindow/contactpage.h"

#include "core/clock.h"
#include "mainwindow/drillkeyer.h"
#include "training/contactcheck.h"
#include "training/learnerhistory.h"
#include "trainingui/contactdrillview.h"

namespace kelvatron {

ContactPage::ContactPage(ContactDrillView& view, DrillKeyer& keyer, Clock& clock,
                         LearnerHistory& history)
    : view_(view), keyer_(keyer), clock_(clock), history_(history) {
    connect(&view_, &ContactDrillView::keyRequested, this, &ContactPage::keyContact);
    connect(&view_, &ContactDrillView::checkRequested, this, &ContactPage::check);
}

void ContactPage::keyContact() {
    if (keying_) return;
    contact_ = generateContact(uint32_t(clock_.now() * 7919), view_.language());
    view_.clearCopy();
    recordId_ = 0;
    keyedAtMs_ = clock_.now();
    view_.showMessage(QStringLiteral("Идёт связь: записывайте текст и поля"));
    view_.setKeying(true);
    keying_ = true;
    stopped_ = false;
    keyer_.begin();
    const auto stop = [this] { return stopped_; };
    const bool whole =
        keyer_.wait(300, stop) && keyer_.key(contact_->text, 6000 / view_.cpm(), stop);
    keying_ = false;
    view_.setKeying(false);
    if (whole)
        view_.showMessage(QStringLiteral("Связь окончена: допишите поля и нажмите «Проверить»"));
}

void ContactPage::check() {
    if (!contact_) return;
    stopped_ = true;
    const ContactCheck result =
        checkContact(*contact_, view_.typedFields(), view_.typedText().toStdString());
    view_.showCheck(result, *contact_);
    SessionRecord session;
    session.kind = "contact";
    session.source =
        view_.language() == ContactLanguage::Russian ? "радиообмен по-русски" : "радиообмен";
    session.dotMs = 6000 / view_.cpm();
    session.charWpm = view_.cpm() / 5.0;
    session.durationS = (clock_.now() - keyedAtMs_) / 1000;
    HistoryStore& store = history_.store();
    const bool saved = recordId_ ? store.replaceSession(recordId_, session, result.text)
                                 : store.record(session, result.text);
    recordId_ = saved ? store.lastRecordedId() : 0;
    history_.showMessages();
}

} // namespace kelvatron
