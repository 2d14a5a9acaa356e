#pragma once

#include <string>
#include <string_view>

namespace folix {

// How the book's web-novel notation shows in the e-book: as ruby, emphasis dots and, in
// vertical writing, digit runs of up to upright_digits (three at most) set upright; or as typed.
struct EpubNotation {
    bool on = true;
    bool vertical = false;
    int upright_digits = 2;
};

// The XHTML of one line of the book's text, the inside of its paragraph. This is the one place
// where a line becomes markup: the text is escaped as text (an e-book has no room for the raw
// HTML a site page takes), and the notation, when it is on, becomes the markup of ruby, emphasis
// and upright runs, with the classes of the Japanese publishers' EPUB guide (tcy, em-sesame).
std::string LineXhtml(std::string_view line, const EpubNotation& notation);

}  // namespace folix
