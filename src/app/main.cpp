// Builds the real services and the window. Everything else lives in the libraries.
#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "core/services.h"
#include "mainwindow/tform1.h"
#include "platform/linuxspeaker.h"
#include "platform/qtdialogs.h"
#include "platform/qteventpump.h"
#include "platform/sdlsounddevice.h"
#include "platform/systemclock.h"
#include "platform/xkbkeyboardlayout.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvatron"));
    QApplication::setOrganizationName(QStringLiteral("Home"));
    // Ties the windows to the installed kelvatron.desktop (name, icon, menu place).
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvatron"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvatron.png")));

    kelvatron::SystemClock clock;
    kelvatron::QtEventPump events;
    kelvatron::SdlSoundDevice sound(clock);
    kelvatron::LinuxSpeaker speaker(sound, clock);
    kelvatron::XkbKeyboardLayout keyboardLayout;
    kelvatron::QtDialogs dialogs;
    kelvatron::Services services{clock, events, sound, speaker, keyboardLayout, dialogs};

    kelvatron::TForm1 form(services);
    dialogs.setParent(&form);
    keyboardLayout.attach(app, form);
    form.showCentred();
    if (!sound.available()) {
        // The program runs on silently; the learner should know why nothing sounds.
        QTimer::singleShot(0, &form, [&] {
            dialogs.error("Звуковая карта недоступна, сигналы не будут слышны.\n" +
                          sound.unavailableReason() +
                          "\nПроверьте звуковое устройство и запустите программу снова.");
        });
    }
    return app.exec();
}
