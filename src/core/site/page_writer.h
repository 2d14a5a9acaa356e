#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "site/line_sink.h"
#include "site/list_embedding.h"
#include "site/notation_markup.h"
#include "site/site_book.h"

namespace folix {

class Ui;

inline constexpr char kTableStartTag[] = "<TBL>";
inline constexpr char kTableEndTag[] = "</TBL>";
inline constexpr char kHtmlTableEndTag[] = "</TABLE>";
inline constexpr char kBadTableStartMessage[] = "は不正です。";
inline constexpr char kEmbedInTableMessage[] = "<TBL>の中では<IMBED>は書けません。";

// Writes the lines of the text page: the heading of every folder and file, and the text of
// every file as HTML source. Authors write HTML in their files, so nothing is escaped; a line
// not ending in a tag gets a <BR>. Two markups of our own are understood: "<TBL>" tables whose
// rows are plain text lines, and "<IMBED>name", which pours the book folder's "name.lst" in
// (ListEmbedder).
class PageWriter : private ListEmbedder {
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
    void StartFile() override { table_mode_ = false; }
    void TakeLine(std::string_view line, std::string_view test, int depth) override;
    void Emit(std::string_view line, LineSink& lines);

    LineSink* lines_ = nullptr;  // where the file being appended goes
    // A table started in an embedded list goes on in the file that embedded it: the mode is
    // the writer's, turned off only where a file starts.
    bool table_mode_ = false;
    std::string row_template_;
    std::optional<NotationMarkup> notation_;
};

}  // namespace folix
