#include "site/page_spool.h"

namespace folix {
namespace {

constexpr std::string_view kHtmlStart = "<HTML>";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void PageSpool::Add(std::string_view line, std::string_view ending) {
    if (empty_) {
        empty_ = false;
        std::string start(line.substr(0, kHtmlStart.size()));
        start += ending.substr(0, kHtmlStart.size());
        html_document_ = start.starts_with(kHtmlStart);
        if (start_ && !html_document_) {
            page_.emplace(page_path_);
            page_->Append(*start_);
        }
    }
    TemporaryFile& out = Output();
    out.Append(line);
    out.Append(ending);
    out.Append(kLineEnd);
}

ScratchFile& PageSpool::file() {
    if (!scratch_) {
        scratch_.emplace(page_path_);
    }
    return *scratch_;
}

TemporaryFile& PageSpool::Output() {
    if (page_) {
        return *page_;
    }
    return file();
}

int PageSpool::CommitInPlace(std::string_view last_line) {
    page_->Append(last_line);
    page_->Append(kLineEnd);
    return page_->Commit();
}

}  // namespace folix
