#include <QImage>
#include <gtest/gtest.h>

#include "widgets/tgldigits.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;

namespace {

// Pixels of a display showing value in the lit segments' colour: bright green, little red.
int litPixelsFor(double value) {
    TglDigits d;
    d.resize(62, 33);
    d.setValue(value);
    QImage image(d.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    d.render(&image);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.green() > 180 && c.red() < 160 && c.alpha() > 200;
        }
    return count;
}

QImage keyPicture(const char* caption, bool showsSign) {
    TglLabel key;
    key.resize(30, 34);
    key.setPixelSize(24);
    key.setBold(true);
    key.setAlignment(Qt::AlignCenter);
    key.setShowsSign(showsSign);
    key.setCaption(QString::fromUtf8(caption));
    QImage image(key.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    key.render(&image);
    return image;
}

} // namespace

// The letter З and the digit 3 are one shape in the window's type: a key of the on-screen keyboard
// draws the digit flat-topped, and keeps the digit as its name.
TEST(WidgetRendering, TheDigitThreeKeyLooksUnlikeTheLetterKey) {
    EXPECT_EQ(keyPicture("3", true), keyPicture("\u01B7", false));
    EXPECT_NE(keyPicture("3", true), keyPicture("3", false));
    EXPECT_EQ(keyPicture("З", true), keyPicture("З", false));
}

TEST(WidgetRendering, DigitsShowTheirValueSegmentBySegment) {
    TglDigits d;
    for (auto [value, ratio, text] :
         {std::tuple{800.0, false, "800"}, {3.0, true, "1:3"}, {12.5, false, "12.5"}}) {
        d.setRatioStyle(ratio);
        d.setValue(value);
        EXPECT_EQ(d.displayText(), QString(text));
    }

    // The picture follows the value: an 8 lights all seven segments, a 1 two of them.
    const int one = litPixelsFor(1);
    EXPECT_GT(one, 0);
    EXPECT_GT(litPixelsFor(8), 3 * one);
}
