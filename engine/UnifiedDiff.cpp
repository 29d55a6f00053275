#include "engine/UnifiedDiff.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace tavrin {

namespace {

using Lines = std::vector<std::string_view>;

Lines SplitKeepingLineEnds(std::string_view text) {
    Lines lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

// Myers' O(ND) difference in linear space: marks every line of either side that is not part
// of a longest common subsequence. Linear space keeps a large file with many changes cheap.
// Where the differences are many (lines moved about, a file reversed), the search for the
// middle of a range stops at a cost bound and splits the range where the search got furthest:
// the result is then a correct difference, if not always the shortest, and the time stays
// near linear in the files' length. The bound shrinks as the files grow; up to some thousands
// of lines it never comes into play.
class LineMatcher {
public:
    using Ids = std::vector<std::size_t>;

    LineMatcher(const Ids& a, const Ids& b)
        : m_a(a), m_b(b), m_aChanged(a.size(), true), m_bChanged(b.size(), true) {
        const std::size_t size = 2 * (a.size() + b.size()) + 3;
        m_forward.resize(size);
        m_backward.resize(size);
        constexpr std::size_t kBudget = std::size_t{1} << 25;  // steps of the search, roughly
        m_costLimit = static_cast<std::ptrdiff_t>(
            std::clamp<std::size_t>(kBudget / (a.size() + b.size() + 1), 32, 4096));
        Compare(0, a.size(), 0, b.size());
    }

    const std::vector<bool>& AChanged() const { return m_aChanged; }
    const std::vector<bool>& BChanged() const { return m_bChanged; }

private:
    struct Snake {
        std::size_t x0, y0, x1, y1;
    };

    void Match(std::size_t x, std::size_t y) {
        m_aChanged[x] = false;
        m_bChanged[y] = false;
    }

    void Compare(std::size_t aLo, std::size_t aHi, std::size_t bLo, std::size_t bHi) {
        while (aLo < aHi && bLo < bHi && m_a[aLo] == m_b[bLo]) {
            Match(aLo++, bLo++);
        }
        while (aLo < aHi && bLo < bHi && m_a[aHi - 1] == m_b[bHi - 1]) {
            Match(--aHi, --bHi);
        }
        if (aLo == aHi || bLo == bHi) {
            return;  // only deletions or only insertions remain, marked already
        }
        Snake snake = MiddleSnake(aLo, aHi, bLo, bHi);
        Compare(aLo, snake.x0, bLo, snake.y0);
        for (std::size_t x = snake.x0, y = snake.y0; x < snake.x1; ++x, ++y) {
            Match(x, y);
        }
        Compare(snake.x1, aHi, snake.y1, bHi);
    }

    // The snake in the middle of an optimal path from (aLo, bLo) to (aHi, bHi); both ranges are
    // non-empty. Diagonal k holds the points with x - y == k (offsets from the range start);
    // the backward search runs the same way on the reversed ranges.
    Snake MiddleSnake(std::size_t aLo, std::size_t aHi, std::size_t bLo, std::size_t bHi) {
        const auto n = static_cast<std::ptrdiff_t>(aHi - aLo);
        const auto m = static_cast<std::ptrdiff_t>(bHi - bLo);
        const std::ptrdiff_t delta = n - m;
        const bool odd = (delta & 1) != 0;
        const std::ptrdiff_t maxD = (n + m + 1) / 2;
        const std::ptrdiff_t offset = maxD + 1;
        auto f = [&](std::ptrdiff_t k) -> std::ptrdiff_t& {
            return m_forward[static_cast<std::size_t>(k + offset)];
        };
        auto r = [&](std::ptrdiff_t k) -> std::ptrdiff_t& {
            return m_backward[static_cast<std::size_t>(k + offset)];
        };
        auto a = [&](std::ptrdiff_t i) { return m_a[aLo + static_cast<std::size_t>(i)]; };
        auto b = [&](std::ptrdiff_t i) { return m_b[bLo + static_cast<std::size_t>(i)]; };
        auto at = [&](std::ptrdiff_t x, std::ptrdiff_t y) {
            return Snake{aLo + static_cast<std::size_t>(x), bLo + static_cast<std::size_t>(y), 0,
                         0};
        };
        f(1) = 0;
        r(1) = 0;
        for (std::ptrdiff_t d = 0; d <= maxD; ++d) {
            for (std::ptrdiff_t k = -d; k <= d; k += 2) {
                std::ptrdiff_t x =
                    (k == -d || (k != d && f(k - 1) < f(k + 1))) ? f(k + 1) : f(k - 1) + 1;
                std::ptrdiff_t y = x - k;
                const std::ptrdiff_t xStart = x;
                const std::ptrdiff_t yStart = y;
                while (x < n && y < m && a(x) == b(y)) {
                    ++x;
                    ++y;
                }
                f(k) = x;
                const std::ptrdiff_t back = delta - k;
                if (odd && back >= -(d - 1) && back <= d - 1 && x + r(back) >= n) {
                    Snake snake = at(xStart, yStart);
                    snake.x1 = aLo + static_cast<std::size_t>(x);
                    snake.y1 = bLo + static_cast<std::size_t>(y);
                    return snake;
                }
            }
            for (std::ptrdiff_t k = -d; k <= d; k += 2) {
                std::ptrdiff_t x =
                    (k == -d || (k != d && r(k - 1) < r(k + 1))) ? r(k + 1) : r(k - 1) + 1;
                std::ptrdiff_t y = x - k;
                const std::ptrdiff_t xStart = x;
                const std::ptrdiff_t yStart = y;
                while (x < n && y < m && a(n - 1 - x) == b(m - 1 - y)) {
                    ++x;
                    ++y;
                }
                r(k) = x;
                const std::ptrdiff_t forward = delta - k;
                if (!odd && forward >= -d && forward <= d && x + f(forward) >= n) {
                    Snake snake = at(n - x, m - y);
                    snake.x1 = aLo + static_cast<std::size_t>(n - xStart);
                    snake.y1 = bLo + static_cast<std::size_t>(m - yStart);
                    return snake;
                }
            }
            if (d >= m_costLimit) {
                // Too costly: split where either search got furthest from its corner. Both
                // parts are smaller, as the searches have not met.
                std::ptrdiff_t bestForward = -1, forwardX = 0, bestBackward = -1, backwardX = 0;
                std::ptrdiff_t forwardK = 0, backwardK = 0;
                for (std::ptrdiff_t k = -d; k <= d; k += 2) {
                    const std::ptrdiff_t fx = f(k), bx = r(k);
                    if (fx <= n && fx - k >= 0 && fx - k <= m && 2 * fx - k > bestForward) {
                        bestForward = 2 * fx - k, forwardX = fx, forwardK = k;
                    }
                    if (bx <= n && bx - k >= 0 && bx - k <= m && 2 * bx - k > bestBackward) {
                        bestBackward = 2 * bx - k, backwardX = bx, backwardK = k;
                    }
                }
                Snake snake = bestForward >= bestBackward
                                  ? at(forwardX, forwardX - forwardK)
                                  : at(n - backwardX, m - (backwardX - backwardK));
                snake.x1 = snake.x0;
                snake.y1 = snake.y0;
                return snake;
            }
        }
        return at(0, 0);  // not reached: the searches always meet by maxD
    }

    const Ids& m_a;
    const Ids& m_b;
    std::vector<bool> m_aChanged;
    std::vector<bool> m_bChanged;
    std::vector<std::ptrdiff_t> m_forward;
    std::vector<std::ptrdiff_t> m_backward;
    std::ptrdiff_t m_costLimit = 0;
};

struct Edit {
    char kind;  // ' ', '-' or '+'
    std::size_t oldIndex;
    std::size_t newIndex;
};

// Whether each line of `a` and of `b` is outside a longest common subsequence. Lines are
// compared as numbers, one per distinct text; a line whose text the other side lacks can be
// part of no common subsequence, so only the others go to the search: a file rewritten
// throughout then costs next to nothing.
void MarkChanges(const Lines& a, const Lines& b, std::vector<bool>& aChanged,
                 std::vector<bool>& bChanged) {
    std::unordered_map<std::string_view, std::size_t> ids;
    ids.reserve(a.size() + b.size());
    std::vector<int> sides;  // by id: bit 1 when in a, bit 2 when in b
    auto number = [&](const Lines& lines, int side) {
        LineMatcher::Ids numbers;
        numbers.reserve(lines.size());
        for (std::string_view line : lines) {
            const std::size_t id = ids.try_emplace(line, ids.size()).first->second;
            if (id == sides.size()) {
                sides.push_back(0);
            }
            sides[id] |= side;
            numbers.push_back(id);
        }
        return numbers;
    };
    const LineMatcher::Ids aIds = number(a, 1);
    const LineMatcher::Ids bIds = number(b, 2);
    auto shared = [&](const LineMatcher::Ids& numbers, LineMatcher::Ids& kept,
                      std::vector<std::size_t>& at) {
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (sides[numbers[i]] == 3) {
                kept.push_back(numbers[i]);
                at.push_back(i);
            }
        }
    };
    LineMatcher::Ids aKept, bKept;
    std::vector<std::size_t> aAt, bAt;
    shared(aIds, aKept, aAt);
    shared(bIds, bKept, bAt);
    LineMatcher matcher(aKept, bKept);
    aChanged.assign(a.size(), true);
    bChanged.assign(b.size(), true);
    for (std::size_t k = 0; k < aKept.size(); ++k) {
        aChanged[aAt[k]] = matcher.AChanged()[k];
    }
    for (std::size_t k = 0; k < bKept.size(); ++k) {
        bChanged[bAt[k]] = matcher.BChanged()[k];
    }
}

std::vector<Edit> EditScript(const Lines& a, const Lines& b) {
    std::vector<bool> aChanged;
    std::vector<bool> bChanged;
    MarkChanges(a, b, aChanged, bChanged);
    std::vector<Edit> edits;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && aChanged[i]) {
            edits.push_back({'-', i++, j});
        } else if (j < b.size() && bChanged[j]) {
            edits.push_back({'+', i, j++});
        } else {
            edits.push_back({' ', i++, j++});
        }
    }
    return edits;
}

std::string RangeText(std::size_t start, std::size_t count) {
    // As diff -u writes it: an empty range names the line before it, a range of one line
    // has no count.
    if (count == 0) {
        return std::to_string(start) + ",0";
    }
    std::string text = std::to_string(start + 1);
    return count == 1 ? text : text + "," + std::to_string(count);
}

}  // namespace

std::string UnifiedDiff(std::string_view oldText, std::string_view newText,
                        std::string_view oldLabel, std::string_view newLabel, int context) {
    const Lines a = SplitKeepingLineEnds(oldText);
    const Lines b = SplitKeepingLineEnds(newText);
    const std::vector<Edit> edits = EditScript(a, b);
    const auto reach = static_cast<std::size_t>(std::max(context, 0));

    std::string out;
    std::size_t pos = 0;
    while (pos < edits.size()) {
        while (pos < edits.size() && edits[pos].kind == ' ') {
            ++pos;
        }
        if (pos == edits.size()) {
            break;
        }
        // A hunk runs from `reach` lines before its first change to `reach` lines after its
        // last one; changes closer than twice that share a hunk.
        const std::size_t begin = pos >= reach ? pos - reach : 0;
        std::size_t end = pos;
        std::size_t unchanged = 0;
        for (std::size_t k = pos; k < edits.size(); ++k) {
            if (edits[k].kind != ' ') {
                end = k + 1;
                unchanged = 0;
            } else if (++unchanged > 2 * reach) {
                break;
            }
        }
        const std::size_t stop = std::min(end + reach, edits.size());
        std::size_t oldCount = 0;
        std::size_t newCount = 0;
        for (std::size_t k = begin; k < stop; ++k) {
            oldCount += edits[k].kind != '+' ? 1 : 0;
            newCount += edits[k].kind != '-' ? 1 : 0;
        }
        if (out.empty()) {
            out = "--- " + std::string(oldLabel) + "\n+++ " + std::string(newLabel) + "\n";
        }
        out += "@@ -" + RangeText(edits[begin].oldIndex, oldCount) + " +" +
               RangeText(edits[begin].newIndex, newCount) + " @@\n";
        for (std::size_t k = begin; k < stop; ++k) {
            std::string_view line =
                edits[k].kind == '+' ? b[edits[k].newIndex] : a[edits[k].oldIndex];
            out.push_back(edits[k].kind);
            out.append(line);
            if (line.empty() || line.back() != '\n') {
                out += "\n\\ No newline at end of file\n";
            }
        }
        pos = stop;
    }
    return out;
}

}  // namespace tavrin
