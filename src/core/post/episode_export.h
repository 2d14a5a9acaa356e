#pragma once

#include <string>
#include <vector>

#include "post/site_notation.h"
#include "site/build_outcome.h"
#include "site/site_book.h"

namespace folix {

class Ui;

// What a platform would show otherwise than typed, at a line of a book file (line 0: the whole
// episode).
struct PostNote {
    std::string file;  // below the book folder
    size_t line = 0;   // from 1
    std::string message;
};

struct PostResult {
    BuildOutcome outcome = BuildOutcome::kRefused;
    std::string folder;                // NAME-SITE beside the book folder
    std::vector<std::string> written;  // the episode files, once the folder is in place
    std::vector<PostNote> notes;
};

inline constexpr char kNotABookFileMessage[] = "はこの本のテキストファイルではありません。";

// Writes one episode a text file of the book, in the order the tree shows them, into
// NAME-SITE beside the book folder ("001_はじめに.txt"), each line in the platform's notation
// and ended by CR LF; from (a path below the book folder, or empty) starts at that file. The
// folder is written whole or not at all.
PostResult PostEpisodes(Ui& ui, const SiteBook& book, PostSite site, const std::string& from);

// The files a post writes, below the book folder, in the order it writes them.
std::vector<std::string> EpisodeFiles(Ui& ui, const SiteBook& book);

}  // namespace folix
