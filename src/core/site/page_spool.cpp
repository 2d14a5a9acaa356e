#include "site/page_spool.h"

namespace folix {
namespace {

constexpr std::string_view kHtmlStart = "<HTML>";

}  // namespace

void PageSpool::Add(std::string_view line, std::string_view ending) {
    if (empty_) {
        empty_ = false;
        std::string start(line.substr(0, kHtmlStart.size()));
        start += ending.substr(0, kHtmlStart.size());
        html_document_ = start.starts_with(kHtmlStart);
    }
    file_.Append(line);
    file_.Append(ending);
    file_.Append("\r\n");
}

}  // namespace folix
