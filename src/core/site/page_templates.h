#pragma once

#include <string>

namespace folix {

// The templates of the text page and its style sheet, kept in the book folder and edited by the
// writer; the texts here are what a build puts into a template it finds missing or empty. The
// names beginning with "v" serve vertical writing.
inline constexpr char kPageHeadTemplate[] = "header.htx";
inline constexpr char kVerticalPageHeadTemplate[] = "vheader.htx";
inline constexpr char kPageTailTemplate[] = "trailer.htx";
inline constexpr char kVerticalPageTailTemplate[] = "vtrailer.htx";
inline constexpr char kPageStyleTemplate[] = "style.htx";
inline constexpr char kVerticalPageStyleTemplate[] = "vstyle.htx";

// Opens a vertical page at its start (the empty H1 that begins the vertical division) unless the
// address names an anchor; a vertical page would otherwise open at its far end.
extern const char kVerticalHeadScript[];

// HTML, HEAD, TITLE and the link to the style sheet, then BODY; a vertical head adds the script
// and opens the vertical division.
std::string DefaultPageHead(const std::string& book_name, const std::string& style_name,
                            bool vertical);
std::string DefaultPageTail(bool vertical);
std::string DefaultPageStyle(bool vertical);

}  // namespace folix
