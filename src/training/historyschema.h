#pragma once
#include <array>
#include <string_view>

namespace kelvatron::history {

// The layout's number, kept in the file's PRAGMA user_version. A file without one (0) holding
// the tables is the first layout, perhaps without the columns added to sessions since.
// 2 added course_progress and let sessions.kind name any training mode (the first layouts
// allowed receive and send only).
inline constexpr int kSchemaVersion = 2;

// The statements that create the history's tables (each does nothing when its table exists).
extern const std::array<std::string_view, 5> kCreateStatements;
// Reads every column the store uses; failing means a schema the store cannot read.
extern const std::array<std::string_view, 4> kSchemaProbes;

// A table's name and the columns the store keeps in it, as a salvage copies them.
struct TableColumns {
    std::string_view table;
    std::string_view columns; // comma-separated
};
// Sessions first: the other tables' rows belong to a session.
extern const std::array<TableColumns, 3> kTables;

// The sessions columns an older layout may lack, each with its definition for ADD COLUMN.
struct AddedColumn {
    std::string_view name;
    std::string_view definition;
};
extern const std::array<AddedColumn, 5> kAddedSessionColumns;

} // namespace kelvatron::history
