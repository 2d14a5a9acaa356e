#pragma once

#include <string>
#include <vector>

#include "count/count_settings.h"
#include "site/site_book.h"
#include "typeset/grid_layout.h"

namespace folix {

class Ui;

// One counted file or folder of a book.
struct CountRow {
    std::string path;  // below the book folder; a folder's ends in "/"
    TextLength length;
};

// The counts of a whole book: its files in the order the tree shows them, then its folders in
// the same order (each the sum of what it holds), then the book.
struct BookCount {
    std::vector<CountRow> files;
    std::vector<CountRow> folders;
    TextLength total;
    // Every folder and file as the tree shows them, a folder before what it holds.
    std::vector<CountRow> in_tree_order;
};

// Counts every text file of the book as the builds read it (rich text as its plain text), on
// lines of `cells` cells, upright runs as the book sets them. A file that cannot be read is
// reported and counts nothing.
BookCount CountBook(Ui& ui, const SiteBook& book, int cells);

// 枚: grid lines ÷ lines a sheet with one decimal ("12.3"), as the status bar and the tables
// show it.
std::string SheetsText(uint64_t grid_lines, int lines_per_sheet);
// The sheets a prize counts: every sheet begun is one.
uint64_t SheetsBegun(uint64_t grid_lines, int lines_per_sheet);

// The book's goal against its length, and the day's progress ("目標 100枚、現在 76.5枚（76%）、
// 締切 2027-03-31、今日 +1234字"); empty when the book has no goal. today is YYYY-MM-DD.
std::string GoalProgressText(const CountSettings& settings, const TextLength& total,
                             const std::string& today);

}  // namespace folix
