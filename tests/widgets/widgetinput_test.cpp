#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "widgets/accessibility.h"
#include "widgets/tglbevel.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;

// A check box toggles before its handler runs and code that sets it runs no handler. A press
// released outside a control is no click, and a disabled control does not click at all.
TEST(WidgetInput, ClicksToggleBeforeTheHandlerAndCountOnlyWhenReleasedInside) {
    TglCheckBox box;
    TglLabel key;
    key.setClickable(true);
    for (QAbstractButton* control : std::initializer_list<QAbstractButton*>{&box, &key}) {
        control->resize(25, 25);
        std::vector<bool> seen;
        QObject::connect(control, &QAbstractButton::clicked,
                         [&] { seen.push_back(box.Checked()); });
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(12, 12));
        control->click();
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(12, 12));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(40, 40));
        box.setChecked(true);
        box.setChecked(false);
        control->setEnabled(false);
        control->click();
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(12, 12));
        EXPECT_EQ(seen, control == &box ? (std::vector<bool>{true, false})
                                        : (std::vector<bool>{false, false}));
    }
}

// The minimise and close buttons lie on the title strip, whose press drags the window; a
// press that reached the strip would start a drag and swallow the button's release. A press
// from code sends the same mouse-down before the click, and none when disabled.
TEST(WidgetInput, PictureButtonKeepsItsPressFromTheStripBelow) {
    TglBevel strip(QColor(0, 60, 0), QColor(0, 0, 60));
    strip.resize(792, 41);
    auto* close = new TglGraphicButton(GlyphKind::Close, &strip);
    close->setGeometry(768, 14, 17, 17);
    QSignalSpy drags(&strip, &TglBevel::mousePressed);
    std::vector<std::string> order;
    QObject::connect(close, &TglGraphicButton::mouseDown, [&] { order.push_back("down"); });
    QObject::connect(close, &TglGraphicButton::clicked, [&] { order.push_back("click"); });
    QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(drags.count(), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"down", "click"}));
    close->press();
    close->setEnabled(false);
    close->press();
    EXPECT_EQ(order, (std::vector<std::string>{"down", "click", "down", "click"}));

    // A press beside the buttons still drags.
    QTest::mousePress(&strip, Qt::LeftButton, {}, QPoint(500, 20));
    EXPECT_EQ(drags.count(), 1);
}

// Ctrl+V, Shift+Insert and a middle click paste what the clipboard or the selection offers. An
// empty clipboard offers data without any format, which crashed the toolkit's own paste; text
// arrives as Windows-1251 text.
TEST(WidgetInput, MemoPastesOnlyTextAsTheCodePageHoldsIt) {
    struct Case {
        const char* name;
        QString text;      // null: nothing offered
        const char* html;  // offered beside or instead of the text
        std::string after; // the window's Windows-1251 text, "ab" before
    };
    const Case cases[] = {
        {"empty clipboard", QString(), nullptr, "ab"},
        {"formatted only", QString(), "<b>x</b>", "ab"},
        {"text", QStringLiteral("Да ✓\n"), "<i>Да</i>", "\xC4\xE0 ?\r\nab"},
    };
    TMemo memo;
    for (const Case& c : cases) {
        auto* data = new QMimeData;
        if (!c.text.isNull()) data->setText(c.text);
        if (c.html) data->setHtml(QString::fromUtf8(c.html));
        QGuiApplication::clipboard()->setMimeData(data);
        memo.setText("ab");
        memo.setSelStart(0);
        QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(memo.Text(), c.after) << c.name;
    }
}

// Qt's own button interface announces the controls: a check box's state, a command's press
// action, and a plain label as text.
TEST(WidgetInput, ScreenReadersSeeButtonsWithStateAndPressAction) {
    installWidgetAccessibility();
    TglCheckBox option;
    option.setChecked(true);
    TglLabel command, text;
    command.setClickable(true);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&option);
    EXPECT_EQ(box->role(), QAccessible::CheckBox);
    EXPECT_TRUE(box->state().checked);
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(&command);
    EXPECT_EQ(button->role(), QAccessible::Button);
    // The press is Qt's animated click: the command goes down at once and clicks a moment later.
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(command.isDown());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&text)->role(), QAccessible::StaticText);
}
