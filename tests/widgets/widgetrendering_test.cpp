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
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
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
    auto add = [&](QWidget* w, QSize size) { widgets.emplace_back(w, size); };

    for (GlyphKind kind : {GlyphKind::None, GlyphKind::Play, GlyphKind::Pause, GlyphKind::Stop,
                           GlyphKind::Plus, GlyphKind::Minus, GlyphKind::Left, GlyphKind::Right,
                           GlyphKind::Cyrillic, GlyphKind::Latin}) {
        for (int state = 0; state < 4; ++state) {
            auto* box = new TglCheckBox(&parent);
            box->setGlyph(kind);
            box->setChecked(state == 1);
            box->setGradientActive(state == 2);
            box->setEnabled(state != 3);
            add(box, kind == GlyphKind::Plus || kind == GlyphKind::Minus ? QSize(23, 23)
                                                                         : QSize(25, 25));
        }
    }
    auto* option = new TglCheckBox(&parent);
    option->setCaption(QStringLiteral(" звуковая карта"));
    option->setChecked(true);
    add(option, QSize(130, 25));
    auto* key = new TglLabel(&parent);
    key->setCaption(QStringLiteral("Щ"));
    key->setClickable(true);
    key->setPixelSize(24);
    add(key, QSize(30, 34));
    auto* ratio = new TglDigits(&parent);
    ratio->setRatioStyle(true);
    ratio->setValue(3);
    add(ratio, QSize(62, 33));
    auto* status = new TglDigits(&parent);
    status->setValue(5000);
    add(status, QSize(54, 26));
    auto* speed = new TglProgress(&parent);
    speed->setCaption(QStringLiteral("скорость"));
    speed->setPercent(100);
    add(speed, QSize(113, 17));
    auto* panel = new TglGroupBox(&parent);
    panel->setCaption(QStringLiteral(" Настройки"));
    add(panel, QSize(640, 480));
    auto* strip = new TglGroupBox(&parent);
    strip->setFlat(true);
    add(strip, QSize(792, 41));
    auto* bevel = new TglBevel(QColor(0, 159, 0), QColor(0, 0, 128), &parent);
    bevel->setGlossy(true);
    add(bevel, QSize(792, 41));
    add(new TglGraphicButton(GlyphKind::Close, &parent), QSize(17, 17));
    add(new TglGraphicButton(GlyphKind::Minimise, &parent), QSize(17, 17));
    add(new TglGraphicButton(GlyphKind::Speaker, &parent), QSize(65, 33));
    auto* title = new TGradientLabel(&parent);
    title->setCaption(QStringLiteral("Kelvatron (V 1.41)"));
    add(title, QSize(250, 34));
    auto* bar = new TProgressBar(&parent);
    bar->setMax(10);
    bar->setPosition(4);
    add(bar, QSize(393, 9));
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
    EXPECT_EQ(d.Value(), 3.0);
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

TEST(WidgetRendering, SegmentMasksSpellDigitsAndSigns) {
    EXPECT_EQ(segmentMask(u'8'), 0x7F);
    EXPECT_EQ(segmentMask(u'1'), 0x06);
    EXPECT_EQ(segmentMask(u'0'), 0x3F);
    EXPECT_EQ(segmentMask(u'-'), 0x40);
    EXPECT_EQ(segmentMask(u'e'), segmentMask(u'E'));
    EXPECT_EQ(segmentMask(u' '), 0);
    EXPECT_EQ(segmentMask(u'+'), 0);
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
