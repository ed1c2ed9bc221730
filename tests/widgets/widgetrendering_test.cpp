#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

#include "widgets/sevensegment.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tglshadow.h"

using namespace kelvatron;

namespace {

QImage render(QWidget& w) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image);
    return image;
}

// Pixels in the lit segments' colour: bright green, little red.
int litPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 180 && c.red() < 160 && c.alpha() > 200) ++count;
        }
    return count;
}

int litPixelsFor(double value, bool ratio = false) {
    TglDigits d;
    d.resize(62, 33);
    d.setRatioStyle(ratio);
    d.setValue(value);
    return litPixels(render(d));
}

} // namespace

TEST(WidgetRendering, ShadowIsSoftAndReachesItsDepthPastTheControl) {
    QWidget parent;
    parent.resize(400, 300);
    auto* control = new QWidget(&parent);
    control->setGeometry(16, 80, 163, 147);
    TglShadow shadow(control, 15, &parent);
    EXPECT_EQ(shadow.geometry(), QRect(16, 80, 178, 162));
    const QImage image = render(shadow);
    // Under the middle of the control it is dark; at its outer corner it has faded out.
    EXPECT_GT(qAlpha(image.pixel(120, 100)), 100);
    EXPECT_LT(qAlpha(image.pixel(177, 161)), 20);
    // Just past the control's right edge, the shadow is still visible but lighter.
    const int edge = qAlpha(image.pixel(166, 100));
    EXPECT_GT(edge, 20);
    EXPECT_LT(edge, qAlpha(image.pixel(120, 100)));
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
    const int eight = litPixelsFor(8);
    EXPECT_GT(one, 0);
    EXPECT_GT(eight, 3 * one);
    EXPECT_EQ(litPixelsFor(88), 2 * eight) << "two cells of one size";
    // The ratio's "1:" is lit as well.
    EXPECT_GT(litPixelsFor(3, true), litPixelsFor(3));
}

TEST(WidgetRendering, ALongNumberShrinksToStayInsideItsDisplay) {
    QImage image(120, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        drawSevenSegments(p, QRectF(30, 20, 60, 20), QStringLiteral("123456789012"),
                          {QColor(110, 255, 140), QColor(0, 0, 0, 0), 4, 4});
    }
    int inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).green() < 100) continue;
            const bool within = x >= 29 && x <= 90 && y >= 19 && y <= 40;
            EXPECT_TRUE(within) << x << "," << y;
            inside += within;
        }
    EXPECT_GT(inside, 0);
}
