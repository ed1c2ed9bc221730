#include <QLabel>
#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using FormLook = kelvatron::test::FormTest;

// The picture is a JPEG compiled into the program; the library's resources register only when
// the layout asks for them, and a lost registration would leave the panel empty.
TEST_F(FormLook, AuthorPanelShowsItsPicture) {
    auto* picture = f.glGroupBox7->findChild<QLabel*>(QStringLiteral("authorPicture"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->isHidden());
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(picture->pixmap().size(), QSize(120, 160));
    EXPECT_TRUE(picture->geometry().intersects(f.glGroupBox7->rect()));
}

TEST_F(FormLook, NoCaptionIsCutOff) {
    for (auto* label : f.findChildren<TglLabel*>()) {
        if (label->Caption().isEmpty()) continue;
        EXPECT_LE(label->sizeHint().width(), label->width())
            << label->objectName().toStdString() << " \"" << label->Caption().toStdString() << "\"";
    }
    for (auto* box : f.findChildren<TglCheckBox*>()) {
        if (box->Caption().isEmpty()) continue;
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->objectName().toStdString();
    }
}

TEST_F(FormLook, StatusBarPairsFitTheStripInOrder) {
    const QRect strip = f.glGroupBox1->rect();
    TglDigits* displays[] = {f.glDigits1, f.glDigits2, f.glDigits3, f.glDigits4};
    int right = 0;
    for (int i = 0; i < 4; ++i) {
        const QRect label = f.statusLabels[size_t(i)]->geometry();
        const QRect display = displays[i]->geometry();
        EXPECT_TRUE(strip.contains(label)) << i;
        EXPECT_TRUE(strip.contains(display)) << i;
        EXPECT_GE(label.left(), right) << "pair " << i << " overlaps the one before";
        EXPECT_LT(label.right(), display.left()) << "the label comes before its display";
        right = display.right() + 1;
    }
}
