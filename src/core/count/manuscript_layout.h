#pragma once

#include <cstdint>
#include <vector>

#include "site/site_book.h"
#include "typeset/grid_layout.h"
#include "typeset/reader_line.h"

namespace folix {

class Ui;

// One paragraph of a manuscript as it sits on the grid: the line as read, its units (a
// character, or an upright run in one cell) and where each lands, lines counted from the
// paragraph's first.
struct GridParagraph {
    ReaderLine line;
    std::vector<GridUnit> units;
    std::vector<GridPlace> places;
    uint64_t first_line = 0;  // the book's grid line the paragraph starts on
};

// The whole book on lines of `cells` cells, every text file in the order the tree shows them,
// each file from a new line, read and set as the counts read and set it: lines equals the
// count's grid lines, so the sheets written are the sheets the count promises.
struct GridManuscript {
    std::vector<GridParagraph> paragraphs;
    uint64_t lines = 0;
    uint64_t characters = 0;  // 文字数, as the count gives it
};

GridManuscript SetBookOnGrid(Ui& ui, const SiteBook& book, int cells);

}  // namespace folix
