#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folix {

// The web-novel platforms a book's episodes are written out for, each in its own notation.
enum class PostSite { kKakuyomu, kNarou, kPixiv };

// "kakuyomu", "narou", "pixiv", as the command line and the folder names write them.
std::optional<PostSite> ParsePostSite(std::string_view name);
std::string_view PostSiteName(PostSite site);

// One line of the book in a platform's notation, and what the platform would show otherwise
// than the writer typed it (one message each).
struct SiteLine {
    std::string text;
    std::vector<std::string> differences;
};

// Converts one line (UTF-8, no line end in it), rule by rule as each platform documents its
// notation:
// - カクヨム reads our notation as typed;
// - 小説家になろう: every ruby with its bar (an implicit base with 々 is not kanji there), a base
//   and a ruby of at most 10 characters each, else written base（ruby）; emphasis dots as a ruby
//   of ・ over each character; a kanji's （kana） that would turn into ruby gets a bar before it;
// - pixiv: ruby as [[rb:base > ruby]], emphasis dots as [[rb:字 > ・]] per character; a ruby
//   holding what would end that form early is written base（ruby).
// Upright digits are no platform's notation: digits stay as typed.
SiteLine ConvertLineForSite(std::string_view line, PostSite site);

// pixiv's line that names a chapter where a folder begins.
std::string PixivChapterLine(std::string_view folder_name);

}  // namespace folix
