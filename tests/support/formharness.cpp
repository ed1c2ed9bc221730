#include "support/formharness.h"

namespace kelvatron::test {

FormHarness::FormHarness() {
    form = std::make_unique<TForm1>(services);
    clearRecords();
}

FormHarness::~FormHarness() = default;

} // namespace kelvatron::test
