#include "training/signalignment.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace kelvatron {

namespace {

using Seq = std::span<const int>;

// Traceback moves, one byte per band cell.
enum Move : uint8_t { kDiagonal, kUp, kLeft };

constexpr int kInfinity = std::numeric_limits<int>::max() / 2;
// Band cells (bytes of traceback) allowed before a segment is split: keeps the whole check well
// under 50 MB whatever is typed.
constexpr size_t kBandCellBudget = size_t(24) << 20;
constexpr int kFirstBandHalfWidth = 8;
// Cells the widening search may fill for one check, all its bands together. A copy that needs
// more has long runs that match nothing near their place (an answer unrelated to the text, a
// length far from the text's): proving the cheapest alignment would take seconds, so a segment
// that would go beyond settles for the best path near its corner-to-corner line.
constexpr size_t kExactCellBudget = size_t(48) << 20;
constexpr int kSlantedHalfWidth = 256;

// Cells filled by the alignment under way on this thread, for alignSequences' report.
thread_local size_t cellsFilled = 0;

void appendTrivial(Seq sent, Seq typed, int sentBase, int typedBase, std::vector<AlignStep>& out) {
    for (int i = 0; i < int(sent.size()); ++i)
        out.push_back({AlignOp::Missed, sentBase + i, -1});
    for (int j = 0; j < int(typed.size()); ++j)
        out.push_back({AlignOp::Extra, -1, typedBase + j});
}

// The band holds the diagonals d = j - i from lo to hi; cell (i, j) sits at row i, column
// j - i - lo. Returns the distance, or nothing when the band would exceed the budget.
struct Band {
    int lo, hi, width;
};

// Fills the band row by row and returns its last row (index x stands for j = n + lo + x). With
// moves, every cell's move is kept for the traceback; without, only two rows live.
std::vector<int> fillBand(Seq a, Seq b, Band band, uint8_t* moves) {
    const int n = int(a.size()), m = int(b.size()), w = band.width;
    std::vector<int> prev(w + 1, kInfinity), cur(w + 1, kInfinity);
    for (int x = 0; x < w; ++x) {
        const int j = band.lo + x;
        prev[x] = (j >= 0 && j <= m) ? j : kInfinity;
        if (moves) moves[x] = kLeft;
    }
    cellsFilled += size_t(n + 1) * w;
    for (int i = 1; i <= n; ++i) {
        uint8_t* row = moves ? moves + size_t(i) * w : nullptr;
        for (int x = 0; x < w; ++x) {
            const int j = i + band.lo + x;
            int best = kInfinity;
            uint8_t move = kUp;
            if (j == 0) {
                best = i;
            } else if (j > 0 && j <= m) {
                best = prev[x] + (a[i - 1] != b[j - 1]), move = kDiagonal;
                if (prev[x + 1] + 1 < best) best = prev[x + 1] + 1, move = kUp;
                if (x > 0 && cur[x - 1] + 1 < best) best = cur[x - 1] + 1, move = kLeft;
            }
            cur[x] = best;
            if (row) row[x] = move;
        }
        std::swap(prev, cur);
    }
    prev.pop_back();
    return prev;
}

// Follows the moves back from the end; cellOf(i, j) is where cell (i, j)'s move is kept.
template <typename CellOf>
void traceMoves(Seq a, Seq b, CellOf cellOf, const std::vector<uint8_t>& moves, int sentBase,
                int typedBase, std::vector<AlignStep>& out) {
    std::vector<AlignStep> reversed;
    int i = int(a.size()), j = int(b.size());
    while (i > 0 || j > 0) {
        const uint8_t move = i == 0 ? uint8_t(kLeft) : moves[cellOf(i, j)];
        if (move == kDiagonal) {
            --i, --j;
            const AlignOp op = a[i] == b[j] ? AlignOp::Match : AlignOp::Substitution;
            reversed.push_back({op, sentBase + i, typedBase + j});
        } else if (move == kUp) {
            --i;
            reversed.push_back({AlignOp::Missed, sentBase + i, -1});
        } else {
            --j;
            reversed.push_back({AlignOp::Extra, -1, typedBase + j});
        }
    }
    out.insert(out.end(), reversed.rbegin(), reversed.rend());
}

void traceBand(Seq a, Seq b, Band band, const std::vector<uint8_t>& moves, int sentBase,
               int typedBase, std::vector<AlignStep>& out) {
    auto cellOf = [&](int i, int j) { return size_t(i) * band.width + (j - i - band.lo); };
    traceMoves(a, b, cellOf, moves, sentBase, typedBase, out);
}

// The cheapest path within a band that follows the corner-to-corner line, each row holding the
// columns within a half width of it: an alignment of every sign in n times the width, though not
// proven the cheapest. The half width covers the line's slope, so that the rows join up.
void alignSlanted(Seq a, Seq b, int sentBase, int typedBase, std::vector<AlignStep>& out) {
    const int n = int(a.size()), m = int(b.size());
    const int half = std::max(kSlantedHalfWidth, m / n + 2), w = 2 * half + 1;
    auto first = [&](int i) { return int(int64_t(i) * m / n) - half; }; // column of x = 0
    std::vector<uint8_t> moves(size_t(n + 1) * w, kLeft);
    std::vector<int> prev(w, kInfinity), cur(w, kInfinity);
    for (int x = 0; x < w; ++x)
        if (const int j = first(0) + x; j >= 0 && j <= m) prev[x] = j;
    cellsFilled += size_t(n + 1) * w;
    for (int i = 1; i <= n; ++i) {
        const int lo = first(i), above = first(i - 1);
        uint8_t* row = moves.data() + size_t(i) * w;
        for (int x = 0; x < w; ++x) {
            const int j = lo + x, diagonal = j - 1 - above, up = j - above;
            int best = kInfinity;
            uint8_t move = kUp;
            if (j == 0) {
                best = i;
            } else if (j > 0 && j <= m) {
                if (diagonal >= 0 && diagonal < w)
                    best = prev[diagonal] + (a[i - 1] != b[j - 1]), move = kDiagonal;
                if (up >= 0 && up < w && prev[up] + 1 < best) best = prev[up] + 1, move = kUp;
                if (x > 0 && cur[x - 1] + 1 < best) best = cur[x - 1] + 1, move = kLeft;
            }
            cur[x] = best;
            row[x] = move;
        }
        std::swap(prev, cur);
    }
    auto cellOf = [&](int i, int j) { return size_t(i) * w + (j - first(i)); };
    traceMoves(a, b, cellOf, moves, sentBase, typedBase, out);
}

void alignSegment(Seq a, Seq b, int sentBase, int typedBase, std::vector<AlignStep>& out,
                  const Band* proven = nullptr);

// Hirschberg's split inside a band known to hold an optimal path: the costs from the start to
// every cell of the middle row and from there to the end (the reversed problem) need two rows
// each; the cheapest cell of the row is on an optimal path.
void splitInBand(Seq a, Seq b, Band band, int sentBase, int typedBase,
                 std::vector<AlignStep>& out) {
    const int n = int(a.size()), m = int(b.size()), mid = n / 2;
    const std::vector<int> ra(a.rbegin(), a.rend()), rb(b.rbegin(), b.rend());
    const Band reversed{(m - n) - band.hi, (m - n) - band.lo, band.width};
    const std::vector<int> front = fillBand(a.first(mid), b, band, nullptr);
    const std::vector<int> back = fillBand(Seq(ra).first(n - mid), rb, reversed, nullptr);
    int split = -1, best = kInfinity;
    for (int x = 0; x < band.width; ++x) {
        const int j = mid + band.lo + x, y = (m - j) - (n - mid) - reversed.lo;
        if (j < 0 || j > m || y < 0 || y >= band.width) continue;
        if (front[x] + back[y] < best) best = front[x] + back[y], split = j;
    }
    // Each half of an optimal path is optimal for its half and stays in the band: the halves
    // need no widening.
    const Band second{band.lo - (split - mid), band.hi - (split - mid), band.width};
    alignSegment(a.first(mid), b.first(split), sentBase, typedBase, out, &band);
    alignSegment(a.subspan(mid), b.subspan(split), sentBase + mid, typedBase + split, out, &second);
}

void alignSegment(Seq a, Seq b, int sentBase, int typedBase, std::vector<AlignStep>& out,
                  const Band* proven) {
    const int n = int(a.size()), m = int(b.size());
    if (n == 0 || m == 0) return appendTrivial(a, b, sentBase, typedBase, out);
    std::vector<uint8_t> moves;
    for (int k = kFirstBandHalfWidth;; k *= 2) {
        Band band{std::max(std::min(0, m - n) - k, -n), std::min(std::max(0, m - n) + k, m), 0};
        if (proven) band = {std::max(proven->lo, -n), std::min(proven->hi, m), 0};
        band.width = band.hi - band.lo + 1;
        const size_t cells = size_t(n + 1) * band.width;
        if (!proven && cellsFilled + cells > kExactCellBudget)
            return alignSlanted(a, b, sentBase, typedBase, out);
        const bool keepMoves = size_t(n + 1) * band.width <= kBandCellBudget || n < 2;
        if (keepMoves) moves.resize(size_t(n + 1) * band.width);
        const int distance =
            fillBand(a, b, band, keepMoves ? moves.data() : nullptr)[m - n - band.lo];
        // A path that leaves the band crosses at least k + 1 diagonals beyond it and must come
        // back: it costs at least |m - n| + 2k + 2.
        const bool whole = band.lo == -n && band.hi == m;
        if (!proven && !whole && distance > std::abs(m - n) + 2 * k + 1) continue;
        if (keepMoves) return traceBand(a, b, band, moves, sentBase, typedBase, out);
        return splitInBand(a, b, band, sentBase, typedBase, out);
    }
}

} // namespace

std::vector<AlignStep> alignSequences(std::span<const int> sent, std::span<const int> typed,
                                      size_t* cells) {
    std::vector<AlignStep> out;
    out.reserve(std::max(sent.size(), typed.size()) + 16);
    cellsFilled = 0;
    alignSegment(sent, typed, 0, 0, out);
    if (cells) *cells = cellsFilled;
    return out;
}

} // namespace kelvatron
