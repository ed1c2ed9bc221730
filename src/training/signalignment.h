#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvatron {

// One step of an alignment of two sequences, in order from their starts.
enum class AlignOp : uint8_t {
    Match,        // the sent sign was typed
    Substitution, // another sign was typed in its place
    Missed,       // the sent sign has no typed counterpart
    Extra,        // a typed sign has no sent counterpart
};

struct AlignStep {
    AlignOp op;
    int sent;  // index into the sent sequence, -1 for Extra
    int typed; // index into the typed sequence, -1 for Missed
};

// Aligns two sequences by least edit distance (substitution, deletion and insertion all cost
// one) with traceback. Equal costs prefer a substitution over a missed/extra pair, so two
// swapped signs read as two substitutions.
//
// A full table of 20,000 × 20,000 cells would not fit in memory, so the table is a band of
// diagonals around the corner-to-corner line, widened (doubled) until the distance found inside
// it proves no path leaving it could be cheaper. A band that would still be too large is split
// in the middle of the sent side, at the typed position a cost-only pass over two rows finds
// best (Hirschberg), and each half is aligned the same way.
//
// Proving the cheapest alignment of a copy unrelated to the text would take the full table, that
// is seconds; once the bands have filled a fixed number of cells the search settles for the
// cheapest path within a band that follows the corner-to-corner line instead. A copy whose
// errors leave it near its text's signs is aligned exactly. cells, if given, receives the number
// of table cells filled.
std::vector<AlignStep> alignSequences(std::span<const int> sent, std::span<const int> typed,
                                      size_t* cells = nullptr);

} // namespace kelvatron
