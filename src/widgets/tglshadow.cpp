#include "widgets/tglshadow.h"

#include <QEvent>
#include <QPainter>
#include <vector>

namespace kelvatron {

namespace {

// One pass of a running-sum box blur over the alpha of a premultiplied black image, along
// rows or columns. Three passes come close to a Gaussian.
void boxBlurAlpha(QImage& image, int radius, bool alongRows) {
    const int lines = alongRows ? image.height() : image.width();
    const int length = alongRows ? image.width() : image.height();
    const int window = 2 * radius + 1;
    std::vector<int> in(static_cast<size_t>(length));
    for (int line = 0; line < lines; ++line) {
        auto pixel = [&](int i) -> QRgb& {
            return alongRows ? reinterpret_cast<QRgb*>(image.scanLine(line))[i]
                             : reinterpret_cast<QRgb*>(image.scanLine(i))[line];
        };
        for (int i = 0; i < length; ++i)
            in[size_t(i)] = qAlpha(pixel(i));
        int sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += in[size_t(std::clamp(i, 0, length - 1))];
        for (int i = 0; i < length; ++i) {
            pixel(i) = qRgba(0, 0, 0, sum / window);
            sum += in[size_t(std::min(i + radius + 1, length - 1))];
            sum -= in[size_t(std::max(i - radius, 0))];
        }
    }
}

} // namespace

TglShadow::TglShadow(QWidget* control, int depth, QWidget* parent)
    : QWidget(parent), control_(control), depth_(depth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    control->installEventFilter(this);
    follow();
    stackUnder(control);
}

void TglShadow::follow() {
    if (!control_) return;
    setGeometry(control_->geometry().adjusted(0, 0, depth_, depth_));
    setVisible(control_->isVisibleTo(parentWidget()));
}

bool TglShadow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_) return false;
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        follow();
        break;
    case QEvent::ZOrderChange:
        stackUnder(control_);
        break;
    default:
        break;
    }
    return false;
}

QImage TglShadow::renderShadow() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!control_ || depth_ <= 0) return image;
    // The control's shape, pushed down and right, then blurred: the light falls from the
    // upper left, and the blur takes up what the offset leaves of the depth.
    const int blur = std::max(1, depth_ * 2 / 5);
    const int offset = depth_ - blur;
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 150));
        p.drawRoundedRect(QRectF(control_->rect()).translated(offset, offset), 7, 7);
    }
    for (int pass = 0; pass < 3; ++pass) {
        boxBlurAlpha(image, blur / 2, true);
        boxBlurAlpha(image, blur / 2, false);
    }
    return image;
}

void TglShadow::paintEvent(QPaintEvent*) {
    if (cache_.size() != size()) cache_ = renderShadow();
    QPainter p(this);
    p.drawImage(0, 0, cache_);
}

} // namespace kelvatron
