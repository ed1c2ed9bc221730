#include "widgets/tglshadow.h"

#include <QEvent>
#include <QPainter>

namespace kelvatron {

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
    setGeometry(control_->geometry().translated(depth_ / 2, depth_ / 2).adjusted(0, 0, depth_ / 2, depth_ / 2));
    setVisible(control_->isVisibleTo(parentWidget()));
}

bool TglShadow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide: follow(); break;
        default: break;
        }
    }
    return false;
}

void TglShadow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // Layers of falling opacity give a soft edge without a blur pass.
    for (int i = 0; i < depth_ / 2; ++i) {
        p.setBrush(QColor(0, 0, 0, 10));
        p.drawRoundedRect(QRectF(rect()).adjusted(i, i, -i, -i), 8, 8);
    }
}

} // namespace kelvatron
