#include <QImage>
#include <gtest/gtest.h>

#include "widgets/tgldigits.h"

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

} // namespace

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
