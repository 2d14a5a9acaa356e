#include "site/page_writer.h"

#include <algorithm>
#include <string_view>

#include "book/file_io.h"
#include "book/file_name_check.h"
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

PageWriter::PageWriter(Ui& ui, const SiteBook& book) : ui_(ui), book_(book) {}

std::string PageWriter::HeadingLine(const std::string& path, int level) const {
    const std::string n = std::to_string(std::min(level + 1, kMaxHeadingLevel));
    return "<A NAME=\"" + HtmlEscaped(AnchorName(book_.root_path, path)) + "\"></A><H" + n + ">" +
           HtmlEscaped(TitlePart(path)) + "</H" + n + ">";
}

void PageWriter::AppendFileText(const std::string& path, LineSink& lines) {
    embeds_left_ = kMaxEmbedsPerFile;
    embedded_bytes_left_ = kMaxEmbeddedBytesPerFile;
    AppendLines(path, lines, 0);
}

void PageWriter::AppendLines(const std::string& path, LineSink& lines, int depth) {
    // A list is measured before it is read: what is over the bound is never read at all.
    uint64_t size = 0;
    if (depth > 0 && RegularFileSize(path, size) == 0 && size > embedded_bytes_left_) {
        embedded_bytes_left_ = 0;
        ReportTooManyEmbeds(path);
        return;
    }
    std::string text;
    if (!book_.read_text(ui_, path, text) || text.empty()) {
        return;
    }
    if (depth > 0) {
        if (text.size() > embedded_bytes_left_) {
            embedded_bytes_left_ = 0;
            ReportTooManyEmbeds(path);
            return;
        }
        embedded_bytes_left_ -= text.size();
    }
    table_mode_ = false;
    for (std::string_view line : SplitTextLines(text)) {
        std::string_view test = TrimLeadingSpace(line);
        if (!table_mode_) {
            if (StartsWith(test, kTableStartTag)) {
                if (test.find("%1") != std::string_view::npos) {
                    row_template_ = test.substr(std::string_view(kTableStartTag).size());
                    table_mode_ = true;
                } else {
                    ui_.ShowMessage(std::string(test) + kBadTableStartMessage);
                }
            } else if (StartsWith(test, kEmbedTag)) {
                EmbedList(test, lines, depth);
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
}

void PageWriter::ReportTooManyEmbeds(const std::string& list_path) {
    if (!reported_too_many_) {
        reported_too_many_ = true;
        ui_.ShowMessage(list_path + kTooManyEmbedsMessage);
    }
}

void PageWriter::EmbedList(std::string_view test_text, LineSink& lines, int depth) {
    std::string name(TrimSpace(test_text.substr(std::string_view(kEmbedTag).size())));
    // Lists live in the book folder: a name that leads elsewhere, or a NUL that would cut the
    // ".lst" off, could embed any file of the computer in the published page.
    if (!IsSingleFileName(name)) {
        ui_.ShowMessage(std::string(test_text) + kInvalidValueMessage);
        return;
    }
    std::string list_path = JoinPath(book_.root_path, name + ".lst");
    if (depth >= kMaxEmbedDepth) {
        if (reported_deep_lists_.insert(list_path).second) {
            ui_.ShowMessage(list_path + kEmbedTooDeepMessage);
        }
        return;
    }
    if (embeds_left_ == 0 || embedded_bytes_left_ == 0) {
        ReportTooManyEmbeds(list_path);
        return;
    }
    --embeds_left_;
    AppendLines(list_path, lines, depth + 1);
}

}  // namespace folix
