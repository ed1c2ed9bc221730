#pragma once
#include "widgets/tglgroupbox.h"

namespace kelvatron {

class Clock;
class KeyPortLink;
class SendingPracticeView;
class Sidetone;
class TglGraphicButton;

// The floating " Передача ключом" panel's frame: caption, shadow, the practice view and the close
// button. It lies under the text window and beside it on the right, over the on-screen keyboard
// (which would sound signs of its own): the text to send and the decoded text stay in view, and
// so do the speed bar and the status bar's dot. A run ends with the panel: keys no longer reach
// it once it is hidden.
class SendingPanelView : public TglGroupBox {
    Q_OBJECT
public:
    SendingPanelView(QWidget* window, const Clock& clock, Sidetone& sidetone, KeyPortLink* link);

    SendingPracticeView& practice() const { return *practice_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    SendingPracticeView* practice_;
    TglGraphicButton* close_;
};

} // namespace kelvatron
