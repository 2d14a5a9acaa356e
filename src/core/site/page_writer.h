#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "site/line_sink.h"
#include "site/notation_markup.h"
#include "site/site_book.h"

namespace folix {

class Ui;

inline constexpr char kTableStartTag[] = "<TBL>";
inline constexpr char kTableEndTag[] = "</TBL>";
inline constexpr char kHtmlTableEndTag[] = "</TABLE>";
inline constexpr char kEmbedTag[] = "<IMBED>";
inline constexpr char kBadTableStartMessage[] = "は不正です。";
inline constexpr char kEmbedInTableMessage[] = "<TBL>の中では<IMBED>は書けません。";
inline constexpr char kEmbedTooDeepMessage[] =
    "の埋め込みが深すぎるため、そこから先は埋め込みませんでした。";

// Lists embedded in lists stop at this depth: a list that embeds itself, directly or through
// others, would otherwise never end.
inline constexpr int kMaxEmbedDepth = 16;
// A list that embeds itself twice would, within that depth, still be poured in 2^16 times, three
// times 3^16: the lists one file embeds in all are limited too.
inline constexpr char kTooManyEmbedsMessage[] =
    "の埋め込みが多すぎるため、そこから先は埋め込みませんでした。";
inline constexpr int kMaxEmbedsPerFile = 10000;
// And so are the bytes they bring: within the count a list of a megabyte poured in ten thousand
// times would still fill ten gigabytes of page.
inline constexpr size_t kMaxEmbeddedBytesPerFile = 16 * 1024 * 1024;

// Writes the lines of the text page: the heading of every folder and file, and the text of
// every file as HTML source. Authors write HTML in their files, so nothing is escaped; a line
// not ending in a tag gets a <BR>. Two markups of our own are understood: "<TBL>" tables whose
// rows are plain text lines, and "<IMBED>name", which pours the book folder's "name.lst" in
// (name is one file name there; any other is refused with "は不正です。").
class PageWriter {
public:
    PageWriter(Ui& ui, const SiteBook& book);

    // <A NAME="anchor"></A><Hn>title</Hn>, n being level + 1 and at most 6; the book folder is
    // level 0.
    std::string HeadingLine(const std::string& path, int level) const;

    // Appends the converted lines of one text file. A file that cannot be read has been reported
    // and adds nothing.
    void AppendFileText(const std::string& path, LineSink& lines);
    void AppendFileText(const std::string& path, std::vector<std::string>& lines) {
        LineList list(lines);
        AppendFileText(path, list);
    }

    // From now on the notation in the text becomes HTML (see NotationMarkup).
    void ConvertNotation(bool vertical, int upright_digits) {
        notation_.emplace(vertical, upright_digits);
    }

private:
    void AppendLines(const std::string& path, LineSink& lines, int depth);
    void EmbedList(std::string_view test_text, LineSink& lines, int depth);
    void Emit(std::string_view line, LineSink& lines);
    // Once a build: the message that the lists one file embeds reached a limit.
    void ReportTooManyEmbeds(const std::string& list_path);

    Ui& ui_;
    const SiteBook& book_;
    // A table started in an embedded list goes on in the file that embedded it: the mode is
    // the writer's, turned off only where a file starts.
    bool table_mode_ = false;
    std::string row_template_;
    // Each runaway list is reported once, not once for every way it was reached.
    std::set<std::string> reported_deep_lists_;
    int embeds_left_ = kMaxEmbedsPerFile;
    size_t embedded_bytes_left_ = kMaxEmbeddedBytesPerFile;
    bool reported_too_many_ = false;  // once a build, like the lists too deep
    std::optional<NotationMarkup> notation_;
};

}  // namespace folix
