#include "sendingui/sendingpanelview.h"

#include "sendingui/sendingpracticeview.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglshadow.h"

namespace kelvatron {

namespace {

constexpr QRect kPlace(200, 286, 586, 246);

} // namespace

SendingPanelView::SendingPanelView(QWidget* window, const Clock& clock, Sidetone& sidetone,
                                   KeyPortLink* link)
    : TglGroupBox(window) {
    setObjectName(QStringLiteral("sendingPanel"));
    setCaption(QStringLiteral(" Передача ключом"));
    setAccessibleName(QStringLiteral("Передача ключом"));
    setGeometry(kPlace);
    setDraggable(true);
    // Like the other floating panels, it casts a shadow on the window.
    new TglShadow(this, 12, window);
    practice_ = new SendingPracticeView(clock, sidetone, link, this);
    practice_->setGeometry(6, 24, kPlace.width() - 12, kPlace.height() - 30);
    close_ = new TglGraphicButton(GlyphKind::Close, this);
    close_->setObjectName(QStringLiteral("sendingPanelClose"));
    close_->setGeometry(kPlace.width() - 20, 2, 17, 17);
    close_->setHint(QStringLiteral("закрыть"));
    close_->setAccessibleName(QStringLiteral("Закрыть передачу ключом"));
    connect(close_, &TglGraphicButton::clicked, this, &QWidget::hide);
}

void SendingPanelView::hideEvent(QHideEvent* event) {
    practice_->finish();
    TglGroupBox::hideEvent(event);
}

} // namespace kelvatron
