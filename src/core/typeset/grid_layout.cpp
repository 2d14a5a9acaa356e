#include "typeset/grid_layout.h"

#include <algorithm>

#include "book/line_ends.h"
#include "typeset/line_break_rules.h"

namespace folix {
namespace {

// The character a unit is, for the rules; an upright run is digits or !?, which no rule names.
char32_t CharacterOf(std::u32string_view shown, const GridUnit& unit) {
    return unit.end == unit.begin + 1 ? shown[unit.begin] : 0;
}

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\u3000' || c == U'\t';
}

uint64_t ShownCharacters(const ReaderLine& line) {
    return static_cast<uint64_t>(
        std::count_if(line.text.begin(), line.text.end(), [](char32_t c) { return !IsBlank(c); }));
}

}  // namespace

std::vector<GridUnit> GridUnitsOf(std::u32string_view shown,
                                  const std::vector<ShownSpan>& upright) {
    std::vector<GridUnit> units;
    units.reserve(shown.size());
    auto span = upright.begin();
    for (size_t i = 0; i < shown.size();) {
        if (span != upright.end() && span->begin == i) {
            units.push_back({span->begin, span->end});
            i = span->end;
            ++span;
        } else {
            units.push_back({i, i + 1});
            ++i;
        }
    }
    return units;
}

int SetOnGrid(std::u32string_view shown, const std::vector<GridUnit>& units, int cells,
              std::vector<GridPlace>* places) {
    if (places != nullptr) {
        places->clear();
        places->reserve(units.size());
    }
    int line = 0;
    int cell = 0;
    for (const GridUnit& unit : units) {
        const char32_t c = CharacterOf(shown, unit);
        if (cell >= cells) {
            // The line is full: this unit would begin the next one.
            if (!HangsPastLineEnd(c)) {
                ++line;
                cell = 0;
            }
        } else if (cell == cells - 1 && IsOpeningBracket(c)) {
            ++line;
            cell = 0;
        }
        if (places != nullptr) {
            places->push_back({line, cell});
        }
        ++cell;
    }
    return line + 1;
}

TextLength ParagraphLength(const ReaderLine& line, int cells, int upright_digits) {
    TextLength length;
    length.characters = ShownCharacters(line);
    const std::vector<GridUnit> units =
        GridUnitsOf(line.text, UprightSpansOf(line.text, upright_digits));
    length.grid_lines = static_cast<uint64_t>(SetOnGrid(line.text, units, cells));
    return length;
}

TextLength MeasureText(std::string_view text, int cells, int upright_digits) {
    TextLength total;
    for (size_t start = 0; start < text.size();) {
        const LineEnd end = FindLineEnd(text, start);
        const TextLength paragraph = ParagraphLength(
            ReadTypedLine(text.substr(start, end.at - start)), cells, upright_digits);
        total.characters += paragraph.characters;
        total.grid_lines += paragraph.grid_lines;
        start = end.at + end.length;
    }
    return total;
}

uint64_t CountCharacters(std::string_view text) {
    uint64_t characters = 0;
    for (size_t start = 0; start < text.size();) {
        const LineEnd end = FindLineEnd(text, start);
        characters += ShownCharacters(ReadTypedLine(text.substr(start, end.at - start)));
        start = end.at + end.length;
    }
    return characters;
}

}  // namespace folix
