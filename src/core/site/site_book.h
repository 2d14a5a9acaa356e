#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "rtf/book_text.h"

namespace folix {

class Ui;

// How a build reads the text of a book file: plain UTF-8 text, rich text reduced to its text.
using BookTextReader = std::function<bool(Ui& ui, const std::string& path, std::string& text)>;

// The book a build works on, as the book model knows it.
struct SiteBook {
    std::string root_path;    // the book folder; templates and lists live here
    std::string parent_path;  // the folder holding the book folder; the output goes here
    BookTextReader read_text = ReadBookFileText;
};

// The name a folder or file of the book is reached by inside the text page: its path below the
// book folder without the extension of its name ("ch1/sec" for BOOK/ch1/sec.txt); empty for the
// book folder itself.
std::string AnchorName(const std::string& root_path, const std::string& path);

// A file or folder name as HTML text or inside a quoted attribute: a name may hold any of
// & < > " (the book's text is HTML already and is written as it is; its names are not).
std::string HtmlEscaped(std::string_view name);
// The entity standing for one of & < > " in HTML and XML text; nullptr for any other byte.
const char* MarkupEntity(char c);

}  // namespace folix
