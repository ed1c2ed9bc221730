#pragma once
#include "widgets/tglgroupbox.h"

class QTabWidget;

namespace kelvatron {

class CallsignDrillView;
class ContactDrillView;
class QCodeDrillView;
class PileupView;
class TglGraphicButton;

// The floating " Позывные и радиообмен" panel: a page for each drill of calls and contacts, and
// the close button. It covers the text window and the keyboard (the drills take their copy in
// lines of their own), leaving the speed bar and the title strip in view.
class CallsignPanelView : public TglGroupBox {
    Q_OBJECT
public:
    explicit CallsignPanelView(QWidget* window);

    CallsignDrillView& drill() const { return *drill_; }
    ContactDrillView& contact() const { return *contact_; }
    QCodeDrillView& qcodes() const { return *qcodes_; }
    PileupView& pileup() const { return *pileup_; }
    QTabWidget* pages() const { return pages_; }

signals:
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QTabWidget* pages_;
    CallsignDrillView* drill_;
    ContactDrillView* contact_;
    QCodeDrillView* qcodes_;
    PileupView* pileup_;
    TglGraphicButton* close_;
};

} // namespace kelvatron
