#pragma once

#include <string>
#include <string_view>

namespace folix {

// The XHTML of one line of the book's text, the inside of its paragraph. This is the one place
// where a line becomes markup: the text is escaped as text (an e-book has no room for the raw
// HTML a site page takes), and the book's notation is turned into markup here.
std::string LineXhtml(std::string_view line);

}  // namespace folix
