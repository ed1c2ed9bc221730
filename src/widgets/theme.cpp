#include "widgets/theme.h"

#include <QPainter>
#include <QWidget>

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

} // namespace kelvatron::theme
