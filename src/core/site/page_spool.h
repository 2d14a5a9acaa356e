#pragma once

#include <string>
#include <string_view>

#include "book/file_io.h"
#include "site/line_sink.h"

namespace folix {

// The text page's lines as the walk gives them, each ended by CR LF, kept in a scratch file
// beside the page until the page's turn to be written: a book of any size costs the build no
// more memory than a file of it.
class PageSpool : public LineSink {
public:
    explicit PageSpool(const std::string& page_path) : file_(page_path) {}

    void Add(std::string_view line, std::string_view ending = {}) override;

    bool empty() const { return empty_; }
    // Whether the first line starts "<HTML>": the page is already a whole document.
    bool IsHtmlDocument() const { return html_document_; }
    ScratchFile& file() { return file_; }

private:
    ScratchFile file_;
    bool empty_ = true;
    bool html_document_ = false;
};

}  // namespace folix
