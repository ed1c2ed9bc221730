#include "mainwindow/pileuppage.h"

#include <QLineEdit>
#include <cstdio>

#include "core/clock.h"
#include "core/random.h"
#include "audio/signalchain.h"
#include "mainwindow/airswitch.h"
#include "mainwindow/drillkeyer.h"
#include "render/pileupsound.h"
#include "tonegen/sounddevice.h"
#include "training/callsigndrill.h"
#include "trainingui/pileupview.h"

namespace kelvatron {

namespace {

constexpr uint32_t kAsync = 5;

} // namespace

PileupPage::PileupPage(PileupView& view, DrillKeyer& keyer, SoundDevice& sound, Clock& clock,
                       AirSwitch* air)
    : view_(view), keyer_(keyer), sound_(sound), clock_(clock), air_(air),
      calls_(uint32_t(clock.now() * 31337)), state_(uint32_t(clock.now() * 7777) | 1) {
    connect(&view_, &PileupView::cqRequested, this, &PileupPage::cq);
    connect(&view_, &PileupView::againRequested, this, &PileupPage::callAgain);
    connect(&view_, &PileupView::answered, this, &PileupPage::answer);
}

std::unique_ptr<SignalChain> PileupPage::airChain(uint32_t rate) const {
    return air_ ? air_->chainFor(AirOccasion::Exercise, rate) : nullptr;
}

PileupSettings PileupPage::settings() const {
    return {.cpm = view_.cpm()};
}

void PileupPage::stop() {
    stopped_ = true;
    sound_.stopSound();
}

void PileupPage::cq() {
    if (keying_) return;
    sound_.stopSound();
    keying_ = true;
    stopped_ = false;
    keyer_.begin();
    const std::string own = view_.ownCall().toStdString();
    view_.setStatus(QStringLiteral("Идёт ваш общий вызов"));
    const bool whole = keyer_.key("CQ CQ DE " + own + " " + own + " K", 6000 / view_.cpm(),
                                  [this] { return stopped_; });
    keying_ = false;
    if (!whole) return;
    const int count = 1 + int(Random(state_, uint32_t(view_.maxCallers())));
    callers_ = drawPileupCallers(calls_, count, settings(), state_);
    play();
    sayCalling();
    view_.input()->setFocus();
}

void PileupPage::callAgain() {
    if (callers_.empty() || keying_) return;
    redrawStarts(callers_, settings(), state_);
    play();
    sayCalling();
    view_.input()->setFocus();
}

void PileupPage::play(const std::vector<float>& before) {
    const PileupSettings s = settings();
    std::vector<float> sound = before;
    if (!callers_.empty()) {
        if (!sound.empty()) sound.resize(sound.size() + kAfterReportMs * s.rate / 1000, 0.f);
        const std::vector<float> calling = mixPileup(callers_, s.rate, {}, airChain(s.rate).get());
        sound.insert(sound.end(), calling.begin(), calling.end());
    }
    sound_.stopSound();
    image_ = waveImage16(sound, s.rate);
    sound_.playSound(image_, kAsync);
}

void PileupPage::sayCalling() {
    view_.setStatus(QStringLiteral("Зовут станций: %1. Наберите услышанный позывной и Enter")
                        .arg(callers_.size()));
    echoCallers();
}

// With KELVATRON_ECHO_CHECK set, scripts read the calling stations on the standard error.
void PileupPage::echoCallers() const {
    if (!qEnvironmentVariableIsSet("KELVATRON_ECHO_CHECK")) return;
    std::string calls;
    for (const PileupCaller& c : callers_)
        calls += " " + c.call;
    std::fprintf(stderr, "Зовут:%s\n", calls.c_str());
}

// The station worked answers alone at its pitch; the others, and now and then a newcomer, call
// again after it.
void PileupPage::answer(const QString& typed) {
    if (keying_) return;
    const std::string heard = normalizedCopy(typed.toStdString());
    // The learner's own CQ, typed instead of clicked, calls the band again.
    if (heard.rfind("CQ", 0) == 0) {
        view_.clearInput();
        return cq();
    }
    if (callers_.empty()) return;
    view_.clearInput();
    auto worked = std::find_if(callers_.begin(), callers_.end(),
                               [&](const PileupCaller& c) { return c.call == heard; });
    if (worked == callers_.end()) {
        redrawStarts(callers_, settings(), state_);
        play();
        view_.setStatus(QStringLiteral("«%1» не звал: станции зовут снова").arg(typed.trimmed()));
        return;
    }
    PileupCaller station = *worked;
    station.startSample = 0;
    callers_.erase(worked);
    view_.setCount(++contacts_);
    view_.addWorked(QStringLiteral("%1  %2  %3 Гц, %4 зн/мин, среди %5")
                        .arg(contacts_, 3)
                        .arg(QString::fromStdString(station.call), -10)
                        .arg(int(station.pitchHz))
                        .arg(station.cpm)
                        .arg(callers_.size() + 1));
    const PileupSettings s = settings();
    if (int(callers_.size()) < view_.maxCallers() && Random(state_, 2) == 0)
        callers_.push_back(drawNewcomer(calls_, callers_, s, state_));
    redrawStarts(callers_, s, state_);
    play(mixPileup({station}, s.rate, {kReport}, airChain(s.rate).get()));
    view_.setStatus(QStringLiteral("%1: %2 — связь проведена. %3")
                        .arg(QString::fromStdString(station.call), QString::fromLatin1(kReport),
                             callers_.empty()
                                 ? QStringLiteral("Больше никто не зовёт: дайте CQ")
                                 : QStringLiteral("Зовут ещё: %1").arg(callers_.size())));
    echoCallers();
}

} // namespace kelvatron
