#include "site/text_builder.h"

#include <string_view>

#include "book/path_parts.h"
#include "platform/ui.h"
#include "site/generation_listing.h"
#include "site/output_file.h"

namespace folix {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kDefaultTextExtension[] = "txt";

}  // namespace

TextBuilder::TextBuilder(Ui& ui, SiteBook book) : ui_(ui), book_(std::move(book)) {}

BuildOutcome TextBuilder::MakeText(BookOptions& options, const std::function<void()>& reset_tree) {
    if (!options.m_bAllowText) {
        ui_.ShowMessage(kTextNotAllowedMessage);
        return BuildOutcome::kRefused;
    }
    auto wait = ui_.BeginWait();
    if (reset_tree) {
        reset_tree();
    }
    text_path_ =
        JoinPath(book_.parent_path, FileNamePart(book_.root_path)) + "." + options.m_strTextExt;
    std::vector<std::string> lines;
    WalkText(book_.root_path, options, lines);

    if (!MayWriteOutput(ui_, text_path_, options.m_strLastTextPath)) {
        return BuildOutcome::kWritten;
    }
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += kLineEnd;
    }
    if (!WriteOutput(ui_, text_path_, bytes)) {
        return BuildOutcome::kIncomplete;
    }
    written_ = text_path_;
    options.m_strLastTextPath = text_path_;
    return SaveBookOptions(ui_, book_.root_path, options) ? BuildOutcome::kWritten
                                                          : BuildOutcome::kIncomplete;
}

void TextBuilder::WalkText(const std::string& folder, const BookOptions& options,
                           std::vector<std::string>& lines) {
    const std::vector<std::string> entries = ListBookEntries(ui_, folder);
    if (folder == book_.root_path) {
        lines.push_back(options.m_strHeadPrefix + TitlePart(folder));
        lines.emplace_back();
    }
    for (const std::string& entry : entries) {
        const std::string path = JoinPath(folder, EntryName(entry));
        lines.push_back(options.m_strHeadPrefix + TitlePart(path));
        lines.emplace_back();
        if (IsFolderEntry(entry)) {
            WalkText(path, options, lines);
        } else {
            AppendTextLines(path, lines);
        }
    }
}

void TextBuilder::AppendTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::string text;
    if (!book_.read_text(ui_, path, text) || text.empty()) {
        return;
    }
    for (std::string_view line : SplitTextLines(text)) {
        lines.emplace_back(line);
    }
    lines.emplace_back();
}

void SetTextOptions(BookOptions& options, const std::string& extension,
                    const std::string& head_prefix, bool allow) {
    options.m_strTextExt = extension.empty() ? kDefaultTextExtension : extension;
    options.m_strHeadPrefix = head_prefix;
    options.m_bAllowText = allow;
}

}  // namespace folix
