#include "history/text_diff.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace folix {
namespace {

using Kind = DiffPiece::Kind;

// Beyond this many edits a run is marked as removed and added whole: the memory of the search
// grows with the square of the edits, and such a run is a rewrite the eye sees at once.
constexpr int kMaxEdits = 2000;

// The shortest edit script from a to b, one kind for each element taken (kSame takes one of
// each). Empty when it needs more than kMaxEdits edits.
std::vector<Kind> ShortestEdit(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    const int max = std::min(n + m, kMaxEdits);
    const int offset = max + 1;
    std::vector<int> v(static_cast<size_t>(2 * max + 3), 0);
    // For each d, the furthest x on every diagonal -(d-1)..d-1 before step d.
    std::vector<std::vector<int>> trace;
    int found = -1;
    for (int d = 0; d <= max && found < 0; ++d) {
        if (d == 0) {
            trace.emplace_back();
        } else {
            trace.emplace_back(v.begin() + (offset - d + 1), v.begin() + (offset + d));
        }
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[k - 1 + offset] < v[k + 1 + offset]))
                        ? v[k + 1 + offset]
                        : v[k - 1 + offset] + 1;
            int y = x - k;
            while (x < n && y < m && a[static_cast<size_t>(x)] == b[static_cast<size_t>(y)]) {
                ++x;
                ++y;
            }
            v[k + offset] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    if (found < 0) {
        return {};
    }
    std::vector<Kind> script;
    int x = n;
    int y = m;
    for (int d = found; d > 0; --d) {
        const std::vector<int>& before = trace[static_cast<size_t>(d)];
        auto at = [&before, d](int k) { return before[static_cast<size_t>(k + d - 1)]; };
        const int k = x - y;
        const bool down = k == -d || (k != d && at(k - 1) < at(k + 1));
        const int previous_k = down ? k + 1 : k - 1;
        const int previous_x = at(previous_k);
        const int previous_y = previous_x - previous_k;
        while (x > previous_x && y > previous_y) {
            script.push_back(Kind::kSame);
            --x;
            --y;
        }
        script.push_back(down ? Kind::kAdded : Kind::kRemoved);
        x = previous_x;
        y = previous_y;
    }
    while (x > 0 && y > 0) {
        script.push_back(Kind::kSame);
        --x;
        --y;
    }
    std::reverse(script.begin(), script.end());
    return script;
}

// Pieces of text cut into units: lines with their ends, or code points.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            lines.push_back(text.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

size_t CodePointLength(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80                   ? 1
                          : lead >= 0xF0 && lead < 0xF5 ? 4
                          : lead >= 0xE0                ? 3
                          : lead >= 0xC2 && lead < 0xE0 ? 2
                                                        : 0;
    if (length == 0 || at + length > text.size()) {
        return 1;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

std::vector<std::string_view> CodePoints(std::string_view text) {
    std::vector<std::string_view> units;
    for (size_t at = 0; at < text.size();) {
        const size_t length = CodePointLength(text, at);
        units.push_back(text.substr(at, length));
        at += length;
    }
    return units;
}

class PieceList {
public:
    void Add(Kind kind, std::string_view text) {
        if (text.empty()) {
            return;
        }
        if (!pieces_.empty() && pieces_.back().kind == kind) {
            pieces_.back().text += text;
        } else {
            pieces_.push_back({kind, std::string(text)});
        }
    }
    std::vector<DiffPiece> Take() { return std::move(pieces_); }

private:
    std::vector<DiffPiece> pieces_;
};

std::string Join(const std::vector<std::string_view>& units, size_t from, size_t to) {
    std::string text;
    for (size_t i = from; i < to; ++i) {
        text += units[i];
    }
    return text;
}

// Diffs two runs of units into pieces; refine is called on each run of changes, or, when it is
// null, the changes are added as they are.
void DiffUnits(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b,
               PieceList& out, bool refine);

void AddChanges(std::string_view removed, std::string_view added, PieceList& out, bool refine) {
    if (refine && !removed.empty() && !added.empty()) {
        DiffUnits(CodePoints(removed), CodePoints(added), out, false);
        return;
    }
    out.Add(Kind::kRemoved, removed);
    out.Add(Kind::kAdded, added);
}

void DiffUnits(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b,
               PieceList& out, bool refine) {
    // What both start and end with is kept without a search.
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) {
        ++head;
    }
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    out.Add(Kind::kSame, Join(a, 0, head));
    std::unordered_map<std::string_view, uint32_t> ids;
    auto id_of = [&ids](std::string_view unit) {
        return ids.emplace(unit, static_cast<uint32_t>(ids.size())).first->second;
    };
    std::vector<uint32_t> a_ids;
    std::vector<uint32_t> b_ids;
    for (size_t i = head; i < a.size() - tail; ++i) {
        a_ids.push_back(id_of(a[i]));
    }
    for (size_t i = head; i < b.size() - tail; ++i) {
        b_ids.push_back(id_of(b[i]));
    }
    const std::vector<Kind> script = ShortestEdit(a_ids, b_ids);
    if (script.empty() && !(a_ids.empty() && b_ids.empty())) {
        AddChanges(Join(a, head, a.size() - tail), Join(b, head, b.size() - tail), out, false);
    } else {
        size_t x = head;
        size_t y = head;
        std::string removed;
        std::string added;
        for (Kind kind : script) {
            if (kind == Kind::kSame) {
                AddChanges(removed, added, out, refine);
                removed.clear();
                added.clear();
                out.Add(Kind::kSame, a[x]);
                ++x;
                ++y;
            } else if (kind == Kind::kRemoved) {
                removed += a[x++];
            } else {
                added += b[y++];
            }
        }
        AddChanges(removed, added, out, refine);
    }
    out.Add(Kind::kSame, Join(a, a.size() - tail, a.size()));
}

}  // namespace

std::vector<DiffPiece> DiffTexts(std::string_view older, std::string_view newer) {
    PieceList pieces;
    DiffUnits(Lines(older), Lines(newer), pieces, true);
    return pieces.Take();
}

}  // namespace folix
