#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

#include "widgets/sevensegment.h"
#include "widgets/tglbevel.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tglprogress.h"
#include "widgets/tglshadow.h"
#include "widgets/tgradientlabel.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

using namespace kelvatron;

namespace {

QImage render(QWidget& w) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image);
    return image;
}

bool paintedSomething(const QImage& image) {
    QImage blank(image.size(), image.format());
    blank.fill(Qt::transparent);
    return image != blank;
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

TEST(WidgetRendering, EveryKindPaintsAtItsWindowSizeInEveryState) {
    QWidget parent;
    parent.resize(800, 600);
    std::vector<std::pair<QWidget*, QSize>> widgets;
    auto add = [&](auto* w, QSize size) {
        widgets.emplace_back(w, size);
        return w;
    };
    for (GlyphKind kind : {GlyphKind::None, GlyphKind::Play, GlyphKind::Pause, GlyphKind::Stop,
                           GlyphKind::Plus, GlyphKind::Minus, GlyphKind::Left, GlyphKind::Right,
                           GlyphKind::Cyrillic, GlyphKind::Latin}) {
        const bool stepper = kind == GlyphKind::Plus || kind == GlyphKind::Minus;
        for (int state = 0; state < 4; ++state) {
            auto* box = add(new TglCheckBox(&parent), stepper ? QSize(23, 23) : QSize(25, 25));
            box->setGlyph(kind);
            box->setChecked(state == 1);
            box->setGradientActive(state == 2);
            box->setEnabled(state != 3);
        }
    }
    auto* option = add(new TglCheckBox(&parent), QSize(130, 25));
    option->setCaption(QStringLiteral(" звуковая карта"));
    option->setChecked(true);
    auto* key = add(new TglLabel(&parent), QSize(30, 34));
    key->setCaption(QStringLiteral("Щ"));
    key->setClickable(true);
    key->setPixelSize(24);
    auto* ratio = add(new TglDigits(&parent), QSize(62, 33));
    ratio->setRatioStyle(true);
    ratio->setValue(3);
    add(new TglDigits(&parent), QSize(54, 26))->setValue(5000);
    auto* speed = add(new TglProgress(&parent), QSize(113, 17));
    speed->setCaption(QStringLiteral("скорость"));
    speed->setPercent(100);
    add(new TglGroupBox(&parent), QSize(640, 480))->setCaption(QStringLiteral(" Настройки"));
    add(new TglGroupBox(&parent), QSize(792, 41))->setFlat(true);
    add(new TglBevel(QColor(0, 159, 0), QColor(0, 0, 128), &parent), QSize(792, 41))
        ->setGlossy(true);
    add(new TglGraphicButton(GlyphKind::Close, &parent), QSize(17, 17));
    add(new TglGraphicButton(GlyphKind::Minimise, &parent), QSize(17, 17));
    add(new TglGraphicButton(GlyphKind::Speaker, &parent), QSize(65, 33));
    add(new TGradientLabel(&parent), QSize(250, 34))->setCaption("Kelvatron (V 1.41)");
    auto* bar = add(new TProgressBar(&parent), QSize(393, 9));
    bar->setMax(10);
    bar->setPosition(4);
    add(new TMemo(&parent), QSize(393, 213));

    for (auto [w, size] : widgets) {
        w->resize(size);
        const QImage image = render(*w);
        EXPECT_EQ(image.size(), size) << w->metaObject()->className();
        EXPECT_TRUE(paintedSomething(image)) << w->metaObject()->className();
    }
}

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
    d.setValue(800);
    EXPECT_EQ(d.displayText(), QStringLiteral("800"));
    d.setRatioStyle(true);
    d.setValue(3);
    EXPECT_EQ(d.displayText(), QStringLiteral("1:3"));
    d.setRatioStyle(false);
    d.setValue(12.5);
    EXPECT_EQ(d.displayText(), QStringLiteral("12.5"));

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
