#include "trainingui/callsignpanelview.h"

#include <QTabWidget>

#include "trainingui/callsigndrillview.h"
#include "trainingui/contactdrillview.h"
#include "trainingui/drillstyle.h"
#include "trainingui/pileupview.h"
#include "trainingui/qcodedrillview.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglshadow.h"
#include "widgets/theme.h"

namespace kelvatron {

namespace {

constexpr QRect kPlace(200, 44, 586, 488);

} // namespace

CallsignPanelView::CallsignPanelView(QWidget* window) : TglGroupBox(window) {
    setObjectName(QStringLiteral("callsignPanel"));
    setCaption(QStringLiteral(" Позывные и радиообмен"));
    setAccessibleName(QStringLiteral("Позывные и радиообмен"));
    setGeometry(kPlace);
    setDraggable(true);
    new TglShadow(this, 12, window);
    setFont(theme::font(12));
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("callsignPages"));
    pages_->setAccessibleName(QStringLiteral("Упражнения с позывными"));
    pages_->setStyleSheet(drillstyle::styleSheet());
    pages_->setGeometry(6, 24, kPlace.width() - 12, kPlace.height() - 30);
    drill_ = new CallsignDrillView(pages_);
    pages_->addTab(drill_, QStringLiteral("Позывные"));
    contact_ = new ContactDrillView(pages_);
    pages_->addTab(contact_, QStringLiteral("Радиообмен"));
    qcodes_ = new QCodeDrillView(pages_);
    pages_->addTab(qcodes_, QStringLiteral("Q-коды"));
    pileup_ = new PileupView(pages_);
    pages_->addTab(pileup_, QStringLiteral("Общий вызов"));
    close_ = new TglGraphicButton(GlyphKind::Close, this);
    close_->setObjectName(QStringLiteral("callsignPanelClose"));
    close_->setGeometry(kPlace.width() - 20, 2, 17, 17);
    close_->setHint(QStringLiteral("закрыть"));
    close_->setAccessibleName(QStringLiteral("Закрыть позывные и радиообмен"));
    connect(close_, &TglGraphicButton::clicked, this, &QWidget::hide);
}

void CallsignPanelView::hideEvent(QHideEvent* event) {
    emit hidden();
    TglGroupBox::hideEvent(event);
}

} // namespace kelvatron
