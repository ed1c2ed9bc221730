// What writing and painting a 200 × 100 exercise costs in the shown window, beside its 20,000
// waits of 1 ms: the clock here moves on by each wait without waiting, so the time measured is
// the window's own work (appending, laying out, painting the text and the bar as they grow).
//   QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy bench_generation
#include <QApplication>
#include <chrono>
#include <cstdio>

#include "core/services.h"
#include "mainwindow/tform1.h"
#include "platform/linuxspeaker.h"
#include "platform/qtdialogs.h"
#include "platform/qteventpump.h"
#include "platform/sdlsounddevice.h"
#include "platform/xkbkeyboardlayout.h"
#include "widgets/tgldigits.h"
#include "widgets/tmemo.h"

using namespace kelvatron;

namespace {

// Real time plus every wait asked for, so a wait passes at once but the run still sees its
// milliseconds go by.
class WaitlessClock : public Clock {
public:
    void sleep(int32_t ms) override { skipped_ += std::max(0, ms); }
    double now() const override { return realMs() + skipped_; }
    double logicalNow() const override { return now(); }
    void catchUp() override {}
    uint64_t seedTicks() override { return uint64_t(now() * 1000); }

private:
    static double realMs() {
        using namespace std::chrono;
        return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
    }
    double skipped_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    WaitlessClock clock;
    QtEventPump events;
    SdlSoundDevice sound(clock);
    LinuxSpeaker speaker(sound, clock);
    XkbKeyboardLayout keyboardLayout;
    QtDialogs dialogs;
    Services services{clock, events, sound, speaker, keyboardLayout, dialogs};
    TForm1 form(services);
    form.showCentred();
    QApplication::processEvents();
    // The window's controls carry their layout names.
    auto* memo = form.findChild<TMemo*>(QStringLiteral("Memo1"));
    form.findChild<TglDigits*>(QStringLiteral("glDigits9"))->setValue(100);
    form.findChild<TglDigits*>(QStringLiteral("glDigits10"))->setValue(200);
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        form.glLabel13Click();
        QApplication::processEvents();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("200 x 100 digits: %.0f ms of work besides the waits, %zu bytes\n", ms,
                    memo->Text().size());
    }
    return 0;
}
