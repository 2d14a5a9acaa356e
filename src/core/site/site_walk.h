#pragma once

#include <string>
#include <vector>

#include "site/site_book.h"
#include "site/site_layout.h"

namespace folix {

class Ui;

// The lines a walk over the book gives: the contents page's and the text page's. The other
// files of the site are their templates alone.
struct SiteLines {
    std::vector<std::string> menu;
    std::vector<std::string> page;
};

// Walks the book folder in tree order and fills both lists: the book title, the contents where
// the layout puts them, then every folder and file under its heading with the text of every
// file. page_name is the file name of the text page, which every contents link leads to.
//
// A book of a single text file is that file's text alone: no title, no contents.
SiteLines WalkBook(Ui& ui, const SiteBook& book, const SiteLayout& layout,
                   const std::string& page_name);

}  // namespace folix
