#pragma once

#include <map>
#include <string>
#include <vector>

#include "book/book_entry.h"

namespace folix {

class Ui;

// The folder listings the HTML build's two walks share. The contents walk lists a folder (as
// ListBookEntries) and keeps the list; the text walk, coming to the folder later, takes the list
// instead of listing and reading "contents.flc" again, and whatever the listing told the writer
// is told again there, so the writer sees just what a second listing would show. A listing
// that asked a question is not kept: the text walk lists that folder anew.
class SharedListings {
public:
    // One thing a listing told the writer.
    struct Told {
        enum class Kind { kMessage, kNotice, kBeep } kind;
        std::string text;
    };

    explicit SharedListings(Ui& ui) : ui_(ui) {}

    // For the contents walk: the folder's entries, kept for the text walk.
    std::vector<BookEntry> ListAndKeep(const std::string& folder);
    // For the text walk: the kept entries of the folder, given up now, or a new listing.
    std::vector<BookEntry> Take(const std::string& folder);

private:
    struct Kept {
        std::vector<BookEntry> entries;
        std::vector<Told> told;
    };

    Ui& ui_;
    std::map<std::string, Kept> kept_;
};

}  // namespace folix
