#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "widgets/tglbevel.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tglshadow.h"

using namespace kelvatron;

TEST(WidgetInput, CheckBoxClickTogglesBeforeItsHandlerAndCodeRunsNoHandler) {
    TglCheckBox box;
    std::vector<bool> seenByHandler;
    QObject::connect(&box, &TglCheckBox::clicked, [&] { seenByHandler.push_back(box.Checked()); });
    box.click();
    box.click();
    EXPECT_EQ(seenByHandler, (std::vector<bool>{true, false}));

    box.setChecked(true);
    box.setChecked(false);
    EXPECT_EQ(seenByHandler.size(), 2u);

    box.setEnabled(false);
    box.click();
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(seenByHandler.size(), 2u);
}

TEST(WidgetInput, CheckBoxMouseClickCountsOnlyWhenReleasedInside) {
    TglCheckBox box;
    box.resize(25, 25);
    QSignalSpy clicks(&box, &TglCheckBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(box.Checked());
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(box.Checked());
}

TEST(WidgetInput, LabelClicksOnlyWhileEnabled) {
    TglLabel key;
    key.setClickable(true);
    key.resize(30, 34);
    QSignalSpy clicks(&key, &TglLabel::clicked);
    key.click();
    QTest::mouseClick(&key, Qt::LeftButton, {}, QPoint(15, 17));
    EXPECT_EQ(clicks.count(), 2);
    key.setEnabled(false);
    key.click();
    QTest::mouseClick(&key, Qt::LeftButton, {}, QPoint(15, 17));
    EXPECT_EQ(clicks.count(), 2);
}

TEST(WidgetInput, LabelReleasedOutsideDoesNotClick) {
    TglLabel word;
    word.setClickable(true);
    word.resize(60, 22);
    QSignalSpy clicks(&word, &TglLabel::clicked);
    QTest::mousePress(&word, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&word, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(clicks.count(), 0);
}

// The minimise and close buttons lie on the title strip, whose press drags the window; a
// press that reached the strip would start a drag and swallow the button's release.
TEST(WidgetInput, PictureButtonKeepsItsPressFromTheStripBelow) {
    TglBevel strip(QColor(0, 60, 0), QColor(0, 0, 60));
    strip.resize(792, 41);
    auto* close = new TglGraphicButton(GlyphKind::Close, &strip);
    close->setGeometry(768, 14, 17, 17);
    QSignalSpy drags(&strip, &TglBevel::mousePressed);
    QSignalSpy downs(close, &TglGraphicButton::mouseDown);
    QSignalSpy clicks(close, &TglGraphicButton::clicked);
    QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(drags.count(), 0);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(clicks.count(), 1);

    // A press beside the buttons still drags.
    QTest::mousePress(&strip, Qt::LeftButton, {}, QPoint(500, 20));
    EXPECT_EQ(drags.count(), 1);
}

TEST(WidgetInput, PictureButtonPressFromCodeSendsDownThenClick) {
    TglGraphicButton button(GlyphKind::Speaker);
    std::vector<std::string> order;
    QObject::connect(&button, &TglGraphicButton::mouseDown, [&] { order.push_back("down"); });
    QObject::connect(&button, &TglGraphicButton::clicked, [&] { order.push_back("click"); });
    button.press();
    button.setEnabled(false);
    button.press();
    EXPECT_EQ(order, (std::vector<std::string>{"down", "click"}));
}

TEST(WidgetInput, ShadowFollowsItsPanelAndStaysJustBelowIt) {
    QWidget window;
    window.resize(792, 573);
    auto* panel = new TglGroupBox(&window);
    panel->setGeometry(76, 47, 640, 480);
    auto* other = new QWidget(&window);
    auto* shadow = new TglShadow(panel, 12, &window);
    window.show();
    panel->hide();
    EXPECT_TRUE(shadow->isHidden());
    panel->show();
    EXPECT_FALSE(shadow->isHidden());

    panel->move(10, 60);
    EXPECT_EQ(shadow->geometry(), QRect(10, 60, 652, 492));

    panel->raise();
    const QObjectList order = window.children(); // bottom to top
    EXPECT_EQ(order.indexOf(shadow) + 1, order.indexOf(panel));
    EXPECT_LT(order.indexOf(other), order.indexOf(shadow));
}
