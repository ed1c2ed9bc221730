#pragma once
#include <array>
#include <string_view>

namespace kelvatron::history {

// The statements that create the history's tables (each does nothing when its table exists).
extern const std::array<std::string_view, 4> kCreateStatements;
// Reads every column the store uses; failing means a schema the store cannot read.
extern const std::array<std::string_view, 3> kSchemaProbes;

} // namespace kelvatron::history
