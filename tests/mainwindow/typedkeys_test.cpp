#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "support/formharness.h"
#include "support/soundedcode.h"
#include "widgets/tmemo.h"

using TypedKeys = kelvatron::test::FormTest;

// A character Windows-1251 cannot hold is a key without a sign: no "?" sign, only its pause.
TEST_F(TypedKeys, ACharacterOutsideTheCodePageSoundsNothing) {
    for (const char* typed : {"ж", "中", "😀"}) {
        h.clearRecords();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(typed));
        QApplication::sendEvent(f.Memo1, &press);
        const bool sign = typed == std::string("ж");
        EXPECT_EQ(kelvatron::test::soundedCode(h.clock.log), sign ? "...-" : "") << typed;
        EXPECT_EQ(h.clock.log.back(), "sleep 120") << typed;
        EXPECT_EQ(h.clock.log.size(), sign ? 10u : 1u) << typed;
    }
}
