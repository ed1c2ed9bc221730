#include <QLabel>
#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
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
}

TEST_F(FormLook, NoCaptionIsCutOff) {
    for (auto* label : window.findChildren<TglLabel*>()) {
        if (label->Caption().isEmpty()) continue;
        EXPECT_LE(label->sizeHint().width(), label->width())
            << label->objectName().toStdString() << " \"" << label->Caption().toStdString() << "\"";
    }
    for (auto* box : window.findChildren<TglCheckBox*>()) {
        if (box->Caption().isEmpty()) continue;
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->objectName().toStdString();
    }
}
