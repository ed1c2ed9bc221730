#include "widgets/theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace kelvatron::theme {

QFont font(int pixels, bool bold) {
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

bool showsFocus(const QWidget* w) {
    return w->hasFocus() && w->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void drawShadowedText(QPainter& p, const QRectF& r, int flags, const QString& text,
                      const QColor& ink, qreal offset) {
    p.save();
    QColor shade(0, 0, 0, ink.lightness() > 128 ? 170 : 60);
    p.setPen(shade);
    p.drawText(r.translated(offset, offset), flags, text);
    p.setPen(ink);
    p.drawText(r, flags, text);
    p.restore();
}

void drawButtonFace(QPainter& p, const QRectF& box, const QColor& top, const QColor& bottom,
                    qreal radius, bool down) {
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, top);
    face.setColorAt(1, bottom);
    p.setPen(QPen(kButtonEdge, 1));
    p.setBrush(face);
    p.drawRoundedRect(box, radius, radius);
    if (down) return;
    QLinearGradient gloss(box.topLeft(), box.bottomLeft());
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 20));
    gloss.setColorAt(0.51, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

void drawLevelBar(QPainter& p, const QRectF& r, double share, qreal radius) {
    p.save();
    QLinearGradient track(r.topLeft(), r.bottomLeft());
    track.setColorAt(0, QColor(4, 14, 22));
    track.setColorAt(1, QColor(26, 48, 62));
    p.setPen(QPen(QColor(0, 0, 0, 180), 1));
    p.setBrush(track);
    p.drawRoundedRect(r, radius, radius);
    QRectF fill = r.adjusted(1.5, 1.5, -1.5, -1.5);
    fill.setWidth(fill.width() * std::clamp(share, 0.0, 1.0));
    if (fill.width() > 1) {
        QLinearGradient colour(r.topLeft(), r.topRight());
        colour.setColorAt(0, QColor(60, 210, 90));
        colour.setColorAt(1, QColor(250, 196, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(fill, radius - 1, radius - 1);
        QLinearGradient gloss(fill.topLeft(), fill.bottomLeft());
        gloss.setColorAt(0, QColor(255, 255, 255, 120));
        gloss.setColorAt(0.5, QColor(255, 255, 255, 10));
        gloss.setColorAt(1, QColor(0, 0, 0, 40));
        p.setBrush(gloss);
        p.drawRoundedRect(fill, radius - 1, radius - 1);
    }
    p.restore();
}

} // namespace kelvatron::theme
