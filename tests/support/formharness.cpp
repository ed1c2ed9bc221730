#include "support/formharness.h"

namespace kelvatron::test {

FormHarness::FormHarness() {
    form = std::make_unique<TForm1>(services);
    clearRecords();
}

FormHarness::~FormHarness() = default;

void FormHarness::clearRecords() {
    speaker.log.clear();
    sound.plays.clear();
    sound.volumeWrites.clear();
    clock.sleeps.clear();
    clock.log.clear();
    clock.time = 0;
    keyboardLayout.loaded.clear();
}

} // namespace kelvatron::test
