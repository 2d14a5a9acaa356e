#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "typeset/reader_line.h"

namespace folix {

// A manuscript grid: cells a line and lines a sheet (20×20 is the 400-character sheet).
struct GridSize {
    int cells = 20;
    int lines = 20;

    bool operator==(const GridSize&) const = default;
};

// One cell's worth of a paragraph: a shown character, or an upright run sharing one cell.
struct GridUnit {
    size_t begin = 0;  // in the shown text
    size_t end = 0;
};

// Where a unit lands: its grid line (from 0, within the paragraph) and cell (from 0). A cell at
// or past the line's last is punctuation hung past the line's end (ぶら下げ).
struct GridPlace {
    int line = 0;
    int cell = 0;
};

// The units of a shown paragraph: one a character, one for each upright run.
std::vector<GridUnit> GridUnitsOf(std::u32string_view shown, const std::vector<ShownSpan>& upright);

// Sets a paragraph on lines of `cells` cells, the way a manuscript sheet is written: the
// paragraph starts a new line; each unit takes a cell (ruby and emphasis dots take none);
// where the paragraph runs on to a new line and the unit that would take its first cell is
// 、。，． or a closing bracket, it and those right after it hang past the end of the line
// before (never on the paragraph's first line); an opening bracket that would take a line's
// last cell leaves it empty and begins the next line. Returns the number of lines (an empty
// paragraph takes one); where places is given, it gets each unit's place.
int SetOnGrid(std::u32string_view shown, const std::vector<GridUnit>& units, int cells,
              std::vector<GridPlace>* places = nullptr);

// How long a text is, as a writer and a prize count it.
struct TextLength {
    uint64_t characters = 0;  // 文字数: shown characters, without line ends, spaces and tabs
    uint64_t grid_lines = 0;  // 行: the lines the text fills on the grid
};

// The length of one paragraph as read (notation applied, upright runs by upright_digits).
TextLength ParagraphLength(const ReaderLine& line, int cells, int upright_digits);
// The length of a whole text (UTF-8), each line end of any kind ending a paragraph.
TextLength MeasureText(std::string_view text, int cells, int upright_digits);
// 文字数 alone, where no grid matters.
uint64_t CountCharacters(std::string_view text);

}  // namespace folix
