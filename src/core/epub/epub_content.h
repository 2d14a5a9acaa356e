#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "epub/line_xhtml.h"
#include "site/site_book.h"

namespace folix {

class Ui;

// One entry of the e-book's table of contents, nested as the book's tree is.
struct NavPoint {
    std::string title;
    std::string href;  // the document, and the heading's id inside it below the first level
    std::vector<NavPoint> children;
};

// One document of the e-book: a top-level folder or file of the book with all it holds, or the
// part of it that follows where a long one was split.
struct EpubChapter {
    std::string file_name;  // "chapter0001.xhtml"
    std::string title;
    std::string body;  // the XHTML inside <body>
};

struct EpubContent {
    std::vector<EpubChapter> chapters;
    std::vector<NavPoint> nav;
    // The file at which the text outgrew the bound; empty when the whole book fits.
    std::string too_large_at;
};

// The whole text an e-book holds in memory while it is made.
inline constexpr size_t kMaxEpubTextBytes = 128 * 1024 * 1024;
// The body of one XHTML document at most, so that the document stays under the 256 KB the
// publishers' EPUB guide asks for (it splits before about 240 KB).
inline constexpr size_t kMaxDocumentBodyBytes = 240 * 1024;

// The book in tree order, as the TEXT file walks it: one chapter per top-level folder or text
// file (in several documents where it is long; the contents point at the first), a heading for
// every folder and file (level 1 for the chapter, one deeper a level, at most 6), and a paragraph
// for every line of every text file, lists poured in as on the site's page. A book without entries
// gives one chapter with the book's title. Lines become XHTML through LineXhtml with the notation
// given.
EpubContent CollectEpubContent(Ui& ui, const SiteBook& book, const EpubNotation& notation,
                               size_t max_text_bytes = kMaxEpubTextBytes);

// The title a folder or file is shown under: its name without the extension, or the whole name
// when that leaves nothing to read.
std::string EpubTitle(const std::string& path);

}  // namespace folix
