#include "mainwindow/contactpage.h"

#include "core/clock.h"
#include "mainwindow/drillkeyer.h"
#include "training/contactcheck.h"
#include "trainingui/contactdrillview.h"

namespace kelvatron {

ContactPage::ContactPage(ContactDrillView& view, DrillKeyer& keyer, Clock& clock)
    : view_(view), keyer_(keyer), clock_(clock) {
    connect(&view_, &ContactDrillView::keyRequested, this, &ContactPage::keyContact);
    connect(&view_, &ContactDrillView::checkRequested, this, &ContactPage::check);
}

void ContactPage::keyContact() {
    if (keying_) return;
    contact_ = generateContact(uint32_t(clock_.now() * 7919), view_.language());
    view_.clearCopy();
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
    view_.showCheck(checkContact(*contact_, view_.typedFields(), view_.typedText().toStdString()),
                    *contact_);
}

} // namespace kelvatron
