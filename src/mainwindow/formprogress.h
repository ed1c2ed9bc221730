#pragma once
#include "core/progress.h"

namespace kelvatron {

struct FormControls;

// The progress bar under the text window, ProgressBar1.
class FormProgress : public Progress {
public:
    explicit FormProgress(const FormControls& ui) : ui_(ui) {}
    void setMax(int max) override;
    void setPosition(int position) override;
    void paint() override;

private:
    const FormControls& ui_;
};

} // namespace kelvatron
