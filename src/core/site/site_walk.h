#pragma once

#include <string>
#include <vector>

#include "site/line_sink.h"
#include "site/site_book.h"
#include "site/site_layout.h"

namespace folix {

class Ui;

// Walks the book folder in tree order and gives the lines of the contents page (menu) and of the
// text page (page); the other files of the site are their templates alone. The page has the book
// title, the contents where the layout puts them, then every folder and file under its heading
// with the text of every file. page_name is the file name of the text page, which every contents
// link leads to.
//
// A book of a single text file is that file's text alone: no title, no contents.
void WalkBook(Ui& ui, const SiteBook& book, const SiteLayout& layout, const std::string& page_name,
              std::vector<std::string>& menu, LineSink& page);

}  // namespace folix
