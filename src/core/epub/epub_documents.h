#pragma once

#include <string>
#include <vector>

#include "epub/epub_content.h"

namespace folix {

// What the e-book's package says about the book, as the documents need it.
struct EpubMetadata {
    std::string identifier;  // a UUID
    std::string title;
    std::string author;  // empty: nobody is named
    std::string language;
    bool vertical = false;
    std::string modified;          // "CCYY-MM-DDThh:mm:ssZ"
    std::string cover_file;        // the image inside the package, or empty
    std::string cover_media_type;  // "image/jpeg", "image/png" or "image/gif"
};

// The documents inside the e-book's folder of content. Every document is XHTML with the one
// style sheet, which sets the writing mode.
inline constexpr char kNavDocumentName[] = "nav.xhtml";
inline constexpr char kCoverDocumentName[] = "cover.xhtml";
inline constexpr char kStyleSheetName[] = "style.css";

std::string ChapterDocument(const EpubMetadata& book, const EpubChapter& chapter);
// The table of contents, nested as the tree is.
std::string NavDocument(const EpubMetadata& book, const std::vector<NavPoint>& nav);
// The page that shows the cover image.
std::string CoverDocument(const EpubMetadata& book);
// Vertical books run top to bottom, the columns right to left.
std::string StyleSheet(bool vertical);

// "CCYY-MM-DDThh:mm:ssZ" in UTC.
std::string IsoTimestamp(long long seconds);

}  // namespace folix
