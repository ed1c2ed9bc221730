#include "mainwindow/formprogress.h"

#include "form/formcontrols.h"
#include "widgets/tprogressbar.h"

namespace kelvatron {

void FormProgress::setMax(int max) {
    ui_.ProgressBar1->setMax(max);
}

void FormProgress::setPosition(int position) {
    ui_.ProgressBar1->setPosition(position);
}

void FormProgress::paint() {
    ui_.ProgressBar1->repaint();
}

} // namespace kelvatron
