#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/xkbkeyboardlayout.h"
#include "support/formharness.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

namespace {

// X key codes are the evdev scan codes plus 8; native modifiers 1 = Shift, 2 = Lock.
constexpr quint32 kKeyQ = 24;

QKeyEvent press(quint32 keycode, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier,
                quint32 nativeMods = 0) {
    int key = text.size() == 1 ? int(text.at(0).toUpper().unicode()) : int(Qt::Key_unknown);
    return QKeyEvent(QEvent::KeyPress, key, mods, keycode, 0, nativeMods, text);
}

int count(const FormHarness& h, const char* line) {
    return int(std::count(h.clock.log.begin(), h.clock.log.end(), line));
}

} // namespace

TEST(XkbKeyboardLayout, ReadsKeysWithTheActiveLayout) {
    XkbKeyboardLayout layout;
    ASSERT_TRUE(layout.available());
    // A desktop with the US layout types "q"; the Russian layout reads the same key as "й".
    EXPECT_EQ(layout.textFor(press(kKeyQ, "q")), QStringLiteral("й"));
    EXPECT_EQ(layout.textFor(press(kKeyQ, "Q", Qt::ShiftModifier, 1)), QStringLiteral("Й"));
    EXPECT_EQ(layout.textFor(press(kKeyQ, "q", Qt::NoModifier, 2)), QStringLiteral("Й"));
    layout.loadKeyboardLayout("00000409");
    EXPECT_EQ(layout.textFor(press(kKeyQ, QStringLiteral("й"))), QStringLiteral("q"));
    EXPECT_EQ(layout.textFor(press(kKeyQ, QStringLiteral("Й"), Qt::ShiftModifier)),
              QStringLiteral("Q"));
    // What the desktop typed already is kept as it is.
    EXPECT_FALSE(layout.textFor(press(kKeyQ, "q")));
    EXPECT_FALSE(layout.textFor(press(10, "1")));
    // An identifier of no known layout changes nothing.
    layout.loadKeyboardLayout("00000407");
    EXPECT_EQ(layout.textFor(press(kKeyQ, QStringLiteral("й"))), QStringLiteral("q"));
    layout.loadKeyboardLayout("00000419");
    EXPECT_EQ(layout.textFor(press(kKeyQ, "q")), QStringLiteral("й"));
    // Shortcuts, control keys, releases and keys without a scan code pass unchanged.
    EXPECT_FALSE(layout.textFor(press(kKeyQ, "\x11", Qt::ControlModifier)));
    EXPECT_FALSE(layout.textFor(press(0, "q")));
    // A key code the desktop borrowed for a character that has no key: our layout has no text
    // for it, so the desktop's character stays.
    EXPECT_FALSE(layout.textFor(press(253, QStringLiteral("ё"))));
    EXPECT_FALSE(
        layout.textFor(QKeyEvent(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, kKeyQ, 0, 0, "q")));
    XkbKeyboardLayout withoutData("/nonexistent/xkb");
    EXPECT_FALSE(withoutData.available());
    EXPECT_FALSE(withoutData.textFor(press(kKeyQ, "q")));
}

TEST(XkbKeyboardLayout, TranslatesOnlyInTheAttachedWindow) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    QLineEdit other; // a dialog of its own
    XkbKeyboardLayout layout;
    layout.attach(*qApp, window);
    QKeyEvent inWindow = press(kKeyQ, "q"), elsewhere = press(kKeyQ, "q");
    QApplication::sendEvent(edit, &inWindow);
    QApplication::sendEvent(&other, &elsewhere);
    EXPECT_EQ(edit->text(), QStringLiteral("й"));
    EXPECT_EQ(other.text(), "q");
}

TEST(XkbKeyboardLayout, TheWindowsKeyPreviewHearsTheTranslatedKeyOnce) {
    FormHarness h;
    XkbKeyboardLayout layout;
    layout.attach(*qApp, *h.form);
    QKeyEvent typedQ = press(kKeyQ, "q");
    QApplication::sendEvent(h.ui().Memo1, &typedQ); // Й
    EXPECT_EQ(h.ui().Memo1->lines().at(1), QStringLiteral("Й"));
    EXPECT_EQ(count(h, "beep 800 120"), 3);
    layout.loadKeyboardLayout("00000409");
    // A key that its receiver ignores climbs to the window translated, and only once.
    h.clearRecords();
    QKeyEvent typedW = press(25, QStringLiteral("ц"));
    QApplication::sendEvent(h.ui().ProgressBar1, &typedW); // W keys В
    EXPECT_EQ(h.ui().Memo1->lines().at(1), QStringLiteral("В"));
    EXPECT_EQ(count(h, "beep 800 40"), 1);
    EXPECT_EQ(count(h, "beep 800 120"), 2);
}
