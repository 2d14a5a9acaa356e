#include "site/list_embedding.h"

#include <cerrno>

#include "book/file_io.h"
#include "book/file_name_check.h"
#include "book/line_ends.h"
#include "book/path_parts.h"
#include "platform/ui.h"
#include "site/table_row.h"

namespace folix {

ListEmbedder::ListEmbedder(Ui& ui, const SiteBook& book) : ui_(ui), book_(book) {}

void ListEmbedder::ReadFileLines(const std::string& path) {
    embeds_left_ = kMaxEmbedsPerFile;
    embedded_bytes_left_ = kMaxEmbeddedBytesPerFile;
    ReadLines(path, 0);
}

void ListEmbedder::ReadLines(const std::string& path, int depth) {
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
    StartFile();
    for (std::string_view line : SplitTextLines(text)) {
        TakeLine(line, TrimLeadingSpace(line), depth);
    }
}

void ListEmbedder::ReportTooManyEmbeds(const std::string& list_path) {
    if (!reported_too_many_) {
        reported_too_many_ = true;
        ui_.ShowMessage(list_path + kTooManyEmbedsMessage);
    }
}

void ListEmbedder::EmbedList(std::string_view test_text, int depth) {
    // Lists live in the book folder or a folder of it: a name that leads elsewhere (through
    // "..", from the root, or through a link), or a NUL that would cut the ".lst" off, could
    // embed any file of the computer in the published page.
    const std::optional<std::string> name =
        RelativeBookPath(TrimSpace(test_text.substr(std::string_view(kEmbedTag).size())));
    if (!name || CheckFoldersOnTheWay(book_.root_path, *name) == ELOOP) {
        ui_.ShowMessage(std::string(test_text) + kInvalidValueMessage);
        return;
    }
    std::string list_path = JoinPath(book_.root_path, *name + ".lst");
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
    ReadLines(list_path, depth + 1);
}

}  // namespace folix
