#pragma once

#include <string>
#include <vector>

#include "site/site_book.h"
#include "site/site_layout.h"

namespace folix {

class SharedListings;

// Writes the lines of the table of contents: in the contents frame, a heading link per entry and
// nested lists of plain links; in the text page, nested definition lists. Every link into the
// text page names it by page_name and opens in the frame "main".
class ContentsWriter {
public:
    // The folders are listed through listings, kept there for the text page's walk.
    ContentsWriter(const SiteBook& book, const SiteLayout& layout, std::string page_name,
                   SharedListings& listings);

    // The heading of an entry in the contents frame: a target of its own (for the short list
    // above it) and a link to the entry in the text page. H3 for the book, H4 for the rest.
    std::string HeadingLine(const std::string& path) const;

    // The nested contents of a folder; depth 0 is the outermost list.
    void AppendContents(const std::string& folder, std::vector<std::string>& lines,
                        int depth) const;

    // One entry of a definition list. With target, it opens the text page in the frame "main";
    // without, it jumps inside the page it is on.
    std::string ContentsEntry(const std::string& path, bool target) const;

private:
    const SiteBook& book_;
    SiteLayout layout_;
    std::string page_name_;
    SharedListings& listings_;
};

}  // namespace folix
