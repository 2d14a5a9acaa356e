#include "count/manuscript_layout.h"

#include "book/line_ends.h"
#include "book/path_parts.h"
#include "notation/notation_options.h"
#include "site/generation_listing.h"

namespace folix {
namespace {

class GridSetter {
public:
    GridSetter(Ui& ui, const SiteBook& book, int cells)
        : ui_(ui),
          book_(book),
          cells_(cells),
          upright_digits_(LoadNotationOptions(ui, book.root_path).upright_digits) {}

    void Walk(const std::string& folder) {
        for (const BookEntry& entry : ListBookEntries(ui_, folder)) {
            const std::string path = JoinPath(folder, entry.name);
            if (entry.IsFolder()) {
                Walk(path);
            } else {
                SetFile(path);
            }
        }
    }

    GridManuscript Take() { return std::move(manuscript_); }

private:
    void SetFile(const std::string& path) {
        std::string text;
        if (!book_.read_text(ui_, path, text)) {
            return;
        }
        for (size_t start = 0; start < text.size();) {
            const LineEnd end = FindLineEnd(text, start);
            SetParagraph(text.substr(start, end.at - start));
            start = end.at + end.length;
        }
    }

    void SetParagraph(std::string_view typed) {
        GridParagraph paragraph;
        paragraph.line = ReadTypedLine(typed);
        paragraph.units =
            GridUnitsOf(paragraph.line.text, UprightSpansOf(paragraph.line.text, upright_digits_));
        const int lines =
            SetOnGrid(paragraph.line.text, paragraph.units, cells_, &paragraph.places);
        paragraph.first_line = manuscript_.lines;
        manuscript_.lines += static_cast<uint64_t>(lines);
        manuscript_.characters +=
            ParagraphLength(paragraph.line, cells_, upright_digits_).characters;
        manuscript_.paragraphs.push_back(std::move(paragraph));
    }

    Ui& ui_;
    const SiteBook& book_;
    const int cells_;
    const int upright_digits_;
    GridManuscript manuscript_;
};

}  // namespace

GridManuscript SetBookOnGrid(Ui& ui, const SiteBook& book, int cells) {
    GridSetter setter(ui, book, cells);
    setter.Walk(book.root_path);
    return setter.Take();
}

}  // namespace folix
