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
constexpr size_t kBandCellBudget = size_t(16) << 20;
constexpr int kFirstBandHalfWidth = 8;

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

int fillBand(Seq a, Seq b, Band band, std::vector<uint8_t>& moves) {
    const int n = int(a.size()), m = int(b.size()), w = band.width;
    moves.assign(size_t(n + 1) * w, kLeft);
    std::vector<int> prev(w + 1, kInfinity), cur(w + 1, kInfinity);
    for (int x = 0; x < w; ++x) {
        const int j = band.lo + x;
        prev[x] = (j >= 0 && j <= m) ? j : kInfinity;
    }
    for (int i = 1; i <= n; ++i) {
        uint8_t* row = &moves[size_t(i) * w];
        for (int x = 0; x < w; ++x) {
            const int j = i + band.lo + x;
            if (j < 0 || j > m) {
                cur[x] = kInfinity;
                continue;
            }
            if (j == 0) {
                cur[x] = i;
                row[x] = kUp;
                continue;
            }
            int best = prev[x] + (a[i - 1] != b[j - 1]);
            uint8_t move = kDiagonal;
            if (prev[x + 1] + 1 < best) best = prev[x + 1] + 1, move = kUp;
            if (x > 0 && cur[x - 1] + 1 < best) best = cur[x - 1] + 1, move = kLeft;
            cur[x] = best;
            row[x] = move;
        }
        std::swap(prev, cur);
    }
    return prev[m - n - band.lo];
}

void traceBand(Seq a, Seq b, Band band, const std::vector<uint8_t>& moves, int sentBase,
               int typedBase, std::vector<AlignStep>& out) {
    std::vector<AlignStep> reversed;
    int i = int(a.size()), j = int(b.size());
    while (i > 0 || j > 0) {
        const uint8_t move =
            i == 0 ? uint8_t(kLeft) : moves[size_t(i) * band.width + (j - i - band.lo)];
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

// Costs of aligning all of a with every prefix of b (or, reversed, every suffix): two rows.
std::vector<int> lastRow(Seq a, Seq b, bool reversed) {
    const int n = int(a.size()), m = int(b.size());
    auto at = [reversed](Seq s, int k) { return reversed ? s[s.size() - 1 - k] : s[k]; };
    std::vector<int> prev(m + 1), cur(m + 1);
    for (int j = 0; j <= m; ++j)
        prev[j] = j;
    for (int i = 1; i <= n; ++i) {
        cur[0] = i;
        const int ai = at(a, i - 1);
        for (int j = 1; j <= m; ++j)
            cur[j] = std::min({prev[j - 1] + (ai != at(b, j - 1)), prev[j] + 1, cur[j - 1] + 1});
        std::swap(prev, cur);
    }
    return prev;
}

void alignSegment(Seq a, Seq b, int sentBase, int typedBase, std::vector<AlignStep>& out);

void splitInMiddle(Seq a, Seq b, int sentBase, int typedBase, std::vector<AlignStep>& out) {
    const int n = int(a.size()), m = int(b.size()), mid = n / 2;
    const std::vector<int> front = lastRow(a.first(mid), b, false);
    const std::vector<int> back = lastRow(a.subspan(mid), b, true);
    int split = 0;
    for (int j = 1; j <= m; ++j)
        if (front[j] + back[m - j] < front[split] + back[m - split]) split = j;
    alignSegment(a.first(mid), b.first(split), sentBase, typedBase, out);
    alignSegment(a.subspan(mid), b.subspan(split), sentBase + mid, typedBase + split, out);
}

void alignSegment(Seq a, Seq b, int sentBase, int typedBase, std::vector<AlignStep>& out) {
    const int n = int(a.size()), m = int(b.size());
    if (n == 0 || m == 0) return appendTrivial(a, b, sentBase, typedBase, out);
    std::vector<uint8_t> moves;
    for (int k = kFirstBandHalfWidth;; k *= 2) {
        Band band{std::max(std::min(0, m - n) - k, -n), std::min(std::max(0, m - n) + k, m), 0};
        band.width = band.hi - band.lo + 1;
        if (size_t(n + 1) * band.width > kBandCellBudget && n > 1)
            return splitInMiddle(a, b, sentBase, typedBase, out);
        const int distance = fillBand(a, b, band, moves);
        // A path that leaves the band crosses at least k + 1 diagonals beyond it and must come
        // back: it costs at least |m - n| + 2k + 2.
        const bool whole = band.lo == -n && band.hi == m;
        if (whole || distance <= std::abs(m - n) + 2 * k + 1)
            return traceBand(a, b, band, moves, sentBase, typedBase, out);
    }
}

} // namespace

std::vector<AlignStep> alignSequences(std::span<const int> sent, std::span<const int> typed) {
    std::vector<AlignStep> out;
    out.reserve(std::max(sent.size(), typed.size()) + 16);
    alignSegment(sent, typed, 0, 0, out);
    return out;
}

} // namespace kelvatron
