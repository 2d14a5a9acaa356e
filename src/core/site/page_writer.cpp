#include "site/page_writer.h"

#include <algorithm>
#include <string_view>

#include "book/path_parts.h"
#include "platform/ui.h"
#include "site/table_row.h"

namespace folix {
namespace {

constexpr int kMaxHeadingLevel = 6;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

// The line break follows the line as typed: a line ending in ruby still ends in text.
void PageWriter::Emit(std::string_view line, LineSink& lines) {
    const char* ending = line.empty() || line.back() != '>' ? "<BR>" : "";
    if (notation_) {
        lines.Add(notation_->Convert(line), ending);
    } else {
        lines.Add(line, ending);
    }
}

PageWriter::PageWriter(Ui& ui, const SiteBook& book) : ListEmbedder(ui, book) {}

std::string PageWriter::HeadingLine(const std::string& path, int level) const {
    const std::string n = std::to_string(std::min(level + 1, kMaxHeadingLevel));
    return "<A NAME=\"" + HtmlEscaped(AnchorName(book_.root_path, path)) + "\"></A><H" + n + ">" +
           HtmlEscaped(TitlePart(path)) + "</H" + n + ">";
}

void PageWriter::AppendFileText(const std::string& path, LineSink& lines) {
    lines_ = &lines;
    ReadFileLines(path);
    lines_ = nullptr;
}

void PageWriter::TakeLine(std::string_view line, std::string_view test, int depth) {
    LineSink& lines = *lines_;
    if (!table_mode_) {
        if (StartsWith(test, kTableStartTag)) {
            if (test.find("%1") != std::string_view::npos) {
                row_template_ = test.substr(std::string_view(kTableStartTag).size());
                table_mode_ = true;
            } else {
                ui_.ShowMessage(std::string(test) + kBadTableStartMessage);
            }
        } else if (StartsWith(test, kEmbedTag)) {
            EmbedList(test, depth);
        } else {
            Emit(line, lines);
        }
    } else if (StartsWith(test, kEmbedTag)) {
        ui_.ShowMessage(kEmbedInTableMessage);
    } else if (StartsWith(test, kHtmlTableEndTag)) {
        table_mode_ = false;
        Emit(line, lines);
    } else if (StartsWith(test, kTableEndTag)) {
        table_mode_ = false;
    } else {
        Emit(ExpandTableRow(row_template_, line), lines);
    }
}

}  // namespace folix
