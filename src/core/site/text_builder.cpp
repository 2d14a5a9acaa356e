#include "site/text_builder.h"

#include <string_view>

#include "book/file_name_check.h"
#include "book/line_ends.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "notation/notation_lines.h"
#include "notation/notation_options.h"
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
    // The options check the extension when it is typed or read; this holds whatever set it.
    if (!IsTextExtension(options.m_strTextExt)) {
        ui_.ShowMessage(options.m_strTextExt + kInvalidValueMessage);
        return BuildOutcome::kRefused;
    }
    auto wait = ui_.BeginWait();
    if (reset_tree) {
        reset_tree();
    }
    base_text_ = LoadNotationOptions(ui_, book_.root_path).text_notation == TextNotation::kBase;
    text_path_ =
        JoinPath(book_.parent_path, FileNamePart(book_.root_path)) + "." + options.m_strTextExt;
    // The book goes straight into the file that will replace the TEXT file: the question comes
    // after the walk, and a No or a failure leaves the old file as it was.
    AtomicFileWriter out(text_path_);
    WalkText(book_.root_path, options, out);

    if (!MayWriteOutput(ui_, text_path_, options.m_strLastTextPath)) {
        return BuildOutcome::kWritten;
    }
    if (int error = out.Commit(); error != 0) {
        ShowCannotOpen(ui_, text_path_, error);
        return BuildOutcome::kIncomplete;
    }
    written_ = text_path_;
    options.m_strLastTextPath = text_path_;
    return SaveBookOptions(ui_, book_.root_path, options) ? BuildOutcome::kWritten
                                                          : BuildOutcome::kIncomplete;
}

void TextBuilder::WalkText(const std::string& folder, const BookOptions& options,
                           AtomicFileWriter& out) {
    const std::vector<BookEntry> entries = ListBookEntries(ui_, folder);
    if (folder == book_.root_path) {
        AppendTitle(out, options, folder);
    }
    for (const BookEntry& entry : entries) {
        const std::string path = JoinPath(folder, entry.name);
        AppendTitle(out, options, path);
        if (entry.IsFolder()) {
            WalkText(path, options, out);
        } else {
            AppendText(path, out);
        }
    }
}

// The title line and the empty line after it.
void TextBuilder::AppendTitle(AtomicFileWriter& out, const BookOptions& options,
                              const std::string& path) {
    out.Append(options.m_strHeadPrefix);
    out.Append(TitlePart(path));
    out.Append(kLineEnd);
    out.Append(kLineEnd);
}

// The file's lines and an empty line, every line ended with CR LF whatever ended it in the
// file; a last line without a line end gets one.
void TextBuilder::AppendText(const std::string& path, AtomicFileWriter& out) {
    std::string text;
    if (!book_.read_text(ui_, path, text) || text.empty()) {
        return;
    }
    if (base_text_) {
        if (std::optional<std::string> base = NotationBaseTextOfLines(text)) {
            text = std::move(*base);
        }
    }
    text = ReplaceLineEnds(std::move(text), kLineEnd);
    out.Append(text);
    if (!text.ends_with(kLineEnd)) {
        out.Append(kLineEnd);
    }
    out.Append(kLineEnd);
}

bool SetTextOptions(Ui& ui, BookOptions& options, const std::string& extension,
                    const std::string& head_prefix, bool allow) {
    options.m_strHeadPrefix = head_prefix;
    options.m_bAllowText = allow;
    if (!IsTextExtension(extension)) {
        ui.ShowMessage(extension + kInvalidValueMessage);
        return false;
    }
    options.m_strTextExt = extension.empty() ? kDefaultTextExtension : extension;
    return true;
}

}  // namespace folix
