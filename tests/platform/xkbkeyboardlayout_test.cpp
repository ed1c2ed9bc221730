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

// X key codes: the evdev scan code plus 8.
constexpr quint32 kKeyQ = 24;
constexpr quint32 kKeyReturn = 36;
constexpr quint32 kKey1 = 10;
constexpr quint32 kShiftMask = 0x01;
constexpr quint32 kLockMask = 0x02;

QKeyEvent press(quint32 keycode, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier,
                quint32 nativeMods = 0) {
    int key = text.size() == 1 ? int(text.at(0).toUpper().unicode()) : int(Qt::Key_unknown);
    return QKeyEvent(QEvent::KeyPress, key, mods, keycode, 0, nativeMods, text);
}

std::optional<QString> translate(XkbKeyboardLayout& layout, const QKeyEvent& e) {
    return layout.textFor(e);
}

} // namespace

TEST(XkbKeyboardLayout, ReadsKeysWithTheActiveLayout) {
    XkbKeyboardLayout layout;
    ASSERT_TRUE(layout.available());
    // A desktop with the US layout types "q"; the Russian layout reads the same key as "й".
    EXPECT_EQ(translate(layout, press(kKeyQ, "q")), QStringLiteral("й"));
    EXPECT_EQ(translate(layout, press(kKeyQ, "Q", Qt::ShiftModifier, kShiftMask)),
              QStringLiteral("Й"));
    EXPECT_EQ(translate(layout, press(kKeyQ, "q", Qt::NoModifier, kLockMask)), QStringLiteral("Й"));
    layout.LoadKeyboardLayout("00000409");
    EXPECT_EQ(translate(layout, press(kKeyQ, QStringLiteral("й"))), QStringLiteral("q"));
    EXPECT_EQ(translate(layout, press(kKeyQ, QStringLiteral("Й"), Qt::ShiftModifier)),
              QStringLiteral("Q"));
    // What the desktop typed already is kept as it is.
    EXPECT_FALSE(translate(layout, press(kKeyQ, "q")));
    EXPECT_FALSE(translate(layout, press(kKey1, "1")));
    // An identifier of no known layout changes nothing.
    layout.LoadKeyboardLayout("00000407");
    EXPECT_EQ(translate(layout, press(kKeyQ, QStringLiteral("й"))), QStringLiteral("q"));
    layout.LoadKeyboardLayout("00000419");
    EXPECT_EQ(translate(layout, press(kKeyQ, "q")), QStringLiteral("й"));
}

TEST(XkbKeyboardLayout, ShortcutsControlKeysAndKeysWithoutScanCodePassUnchanged) {
    XkbKeyboardLayout layout;
    ASSERT_TRUE(layout.available());
    EXPECT_FALSE(translate(layout, press(kKeyQ, "\x11", Qt::ControlModifier)));
    EXPECT_FALSE(translate(layout, press(kKeyQ, "q", Qt::AltModifier)));
    EXPECT_FALSE(translate(layout, press(kKeyReturn, "\r")));
    EXPECT_FALSE(translate(layout, press(0, "q")));
    // A key code the desktop borrowed for a character that has no key: our layout has no text
    // for it, so the desktop's character stays.
    EXPECT_FALSE(translate(layout, press(253, QStringLiteral("ё"))));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, kKeyQ, 0, 0, "q");
    EXPECT_FALSE(translate(layout, release));
}

TEST(XkbKeyboardLayout, WithoutKeyboardDataKeysPassUnchanged) {
    XkbKeyboardLayout layout("/nonexistent/xkb");
    EXPECT_FALSE(layout.available());
    EXPECT_FALSE(translate(layout, press(kKeyQ, "q")));
}

TEST(XkbKeyboardLayout, TranslatesOnlyInTheAttachedWindow) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    QLineEdit other; // a dialog of its own
    XkbKeyboardLayout layout;
    layout.attach(*qApp, window);
    QKeyEvent inWindow = press(kKeyQ, "q");
    QApplication::sendEvent(edit, &inWindow);
    EXPECT_EQ(edit->text(), QStringLiteral("й"));
    QKeyEvent elsewhere = press(kKeyQ, "q");
    QApplication::sendEvent(&other, &elsewhere);
    EXPECT_EQ(other.text(), "q");
}

TEST(XkbKeyboardLayout, TheWindowsKeyPreviewHearsTheTranslatedKeyOnce) {
    FormHarness h;
    XkbKeyboardLayout layout;
    layout.attach(*qApp, *h.form);
    QKeyEvent typedQ = press(kKeyQ, "q");
    QApplication::sendEvent(h.form->Memo1, &typedQ); // Й
    EXPECT_EQ(h.form->Memo1->lines().at(1), QStringLiteral("Й"));
    EXPECT_EQ(std::count(h.clock.log.begin(), h.clock.log.end(), "beep 800 120"), 3);
    layout.LoadKeyboardLayout("00000409");
    h.clearRecords();
    QKeyEvent typedQAgain = press(kKeyQ, QStringLiteral("й"));
    QApplication::sendEvent(h.form->Memo1, &typedQAgain); // Q keys Щ
    EXPECT_EQ(h.form->Memo1->lines().at(1), QStringLiteral("Щ"));
    // A key that its receiver ignores climbs to the window translated, and only once.
    h.clearRecords();
    QKeyEvent typedW = press(25, QStringLiteral("ц"));
    QApplication::sendEvent(h.form->ProgressBar1, &typedW); // W keys В
    EXPECT_EQ(std::count(h.clock.log.begin(), h.clock.log.end(), "beep 800 40"), 1);
    EXPECT_EQ(std::count(h.clock.log.begin(), h.clock.log.end(), "beep 800 120"), 2);
}
