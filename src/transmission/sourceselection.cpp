#include "transmission/sourceselection.h"

namespace kelvatron {

SourceSelection::SourceSelection(TransmissionControls& controls) : controls_(controls) {}

void SourceSelection::choose(TransmissionSource source) {
    for (int i = 0; i < 4; ++i) {
        const auto option = static_cast<TransmissionSource>(i);
        controls_.setSourceChecked(option, option == source);
    }
}

void SourceSelection::selectTextInWindow() {
    choose(TransmissionSource::TextInWindow);
}

} // namespace kelvatron
