#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tglprogress.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using Navigation = kelvatron::test::FormTest;

TEST_F(Navigation, MenuWordsShowOnePanelAtATime) {
    auto shown = [&] {
        std::vector<bool> shown;
        for (auto* p : f.floatingPanels())
            shown.push_back(!p->isHidden());
        return shown;
    };
    f.glLabel6->click();
    f.glLabel8->click();
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, true, false, false}));
    f.glLabel6->click(); // a panel dragged away comes back where it was left
    f.glGroupBox8->move(10, 60);
    f.glGraphicButton2->press();
    f.glLabel6->click();
    EXPECT_EQ(f.glGroupBox8->pos(), QPoint(10, 60));
    f.glGraphicButton2->press();
    EXPECT_EQ(shown(), (std::vector<bool>(6, false)));
}

TEST_F(Navigation, EveryControlHasAnAccessibleName) {
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->inherits("kelvatron::TglLabel") || w->inherits("kelvatron::TglCheckBox") ||
            w->inherits("kelvatron::TglGraphicButton") || w->inherits("kelvatron::TglDigits")) {
            auto* label = qobject_cast<TglLabel*>(w);
            if (label && label->Caption().isEmpty())
                continue; // a letter key without a Latin caption
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
}

// The sending practice writes what was keyed into the text window below the text to send: its
// panel must leave both in view, and the speed bar and the status bar's dot with them.
TEST_F(Navigation, SendingPanelLeavesTheTextWindowInView) {
    window.showSendingPractice();
    QWidget* panel = test::FormAccess::sendingPanel(window);
    ASSERT_TRUE(panel && !panel->isHidden());
    EXPECT_TRUE(window.rect().contains(panel->geometry()));
    for (QWidget* kept : {static_cast<QWidget*>(f.Memo1), static_cast<QWidget*>(f.glProgress1),
                          static_cast<QWidget*>(f.glGroupBox1)})
        EXPECT_FALSE(panel->geometry().intersects(kept->geometry()))
            << kept->objectName().toStdString();
}
