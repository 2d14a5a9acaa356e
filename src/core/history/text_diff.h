#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folix {

// A piece of the difference between two texts: kept in both, only in the older, or only in the
// newer. The older text is every kSame and kRemoved piece in order, the newer every kSame and
// kAdded piece, byte for byte.
struct DiffPiece {
    enum class Kind { kSame, kRemoved, kAdded };
    Kind kind = Kind::kSame;
    std::string text;

    bool operator==(const DiffPiece&) const = default;
};

// The differences of two UTF-8 texts the way prose reads them: paragraphs (lines, each with its
// line end) first, then, inside each run of changed paragraphs, code point by code point, so
// one changed character in a long paragraph is one character marked. Both by the shortest edit
// (Myers); a run that differs beyond all measure is marked whole. Bytes that are not UTF-8 are
// compared one by one.
std::vector<DiffPiece> DiffTexts(std::string_view older, std::string_view newer);

}  // namespace folix
