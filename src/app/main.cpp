// Builds the real services and the window. Everything else lives in the libraries.
#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <QTimer>

#include "app/commandlineexport.h"
#include "app/terminationrequests.h"
#include "core/services.h"
#include "core/terminationrequest.h"
#include "mainwindow/tform1.h"
#include "platform/espeaksynthesizer.h"
#include "platform/linuxspeaker.h"
#include "platform/qtdialogs.h"
#include "platform/qteventpump.h"
#include "platform/qtrussiantranslation.h"
#include "platform/serialkeylink.h"
#include "platform/soundoutput.h"
#include "platform/systemclock.h"
#include "platform/xkbkeyboardlayout.h"

namespace {

// A termination request (a signal, the desktop session ending, the application quitting by other
// means) closes the window without a question: that stops a running transmission at its next
// check and saves the settings once; the program then ends with status 0. A request that comes
// while the window is still being built (a message box at start-up) ends that box and the start.
class EndOnRequest {
public:
    EndOnRequest(QApplication& app, kelvatron::TerminationRequests& requests) {
        QObject::connect(&requests, &kelvatron::TerminationRequests::requested, [this] { end(); });
#ifndef QT_NO_SESSIONMANAGER
        QObject::connect(&app, &QGuiApplication::commitDataRequest, [this] { end(); });
#endif
        QObject::connect(&app, &QCoreApplication::aboutToQuit, [this] { closeForm(); });
        requests.listen();
    }

    // Whether a request came while the window was being built.
    bool attach(kelvatron::TForm1& form) {
        form_ = &form;
        return requested_;
    }

private:
    void end() {
        requested_ = true;
        // The desktop session's request comes as an event: the waits still under way hear it too.
        kelvatron::raiseTerminationRequest();
        closeForm();
        // Ends every running loop, a message box's too, also before the main loop has begun.
        QCoreApplication::exit(0);
    }
    void closeForm() {
        if (form_) form_->close();
    }

    kelvatron::TForm1* form_ = nullptr;
    bool requested_ = false;
};

} // namespace

int main(int argc, char** argv) {
    // An export needs no window and no display: decided before any GUI is started.
    if (kelvatron::isExportCommandLine(argc, argv))
        return kelvatron::runCommandLineExport(argc, argv);
    kelvatron::TerminationRequests::catchSignals();
    QApplication app(argc, argv);
    kelvatron::TerminationRequests terminationRequests;
    EndOnRequest endOnRequest(app, terminationRequests);
    QApplication::setApplicationName(QStringLiteral("Kelvatron"));
    QApplication::setOrganizationName(QStringLiteral("Home"));
    // Ties the windows to the installed kelvatron.desktop (name, icon, menu place).
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvatron"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvatron.png")));
    kelvatron::installQtRussianTranslation(app);

    kelvatron::SystemClock clock;
    kelvatron::QtEventPump events;
    kelvatron::SoundOutput output = kelvatron::openSoundOutput(clock);
    kelvatron::SoundDevice& sound = *output.device;
    kelvatron::LinuxSpeaker speaker(sound, clock);
    kelvatron::XkbKeyboardLayout keyboardLayout;
    kelvatron::QtDialogs dialogs;
    kelvatron::Services services{clock, events, sound, speaker, keyboardLayout, dialogs,
                                 [] { return std::make_unique<kelvatron::EspeakSynthesizer>(); }};

    kelvatron::SerialKeyLink keyLink(std::make_unique<kelvatron::QtKeyLinePort>(), clock);
    kelvatron::TForm1 form(services);
    form.setSendingDevices(&keyLink, &speaker);
    form.setSoundChains(output.device.get());
    dialogs.setParent(&form);
    keyboardLayout.attach(app, form);
    if (endOnRequest.attach(form)) {
        form.close();
        return 0;
    }
    // A Wayland compositor places its windows itself and ignores a position asked for.
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
        form.show();
    else
        form.showCentred();
    if (!output.unavailableReason.empty()) {
        // The program runs on silently; the learner should know why nothing sounds.
        QTimer::singleShot(0, &form, [&] { dialogs.error(output.unavailableReason); });
    }
    // Every wait of the window's thread (a sign sounding, the pause after it) lets the window
    // repaint and answer a screen reader; keys and clicks still wait for the pause between signs.
    clock.serveWhileWaiting([&events] { events.processEventsButInput(); });
    const int status = app.exec();
    // The window is taken down after this: nothing may be served while it is.
    clock.serveWhileWaiting({});
    return status;
}
