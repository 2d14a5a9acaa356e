#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "book/file_io.h"
#include "site/line_sink.h"

namespace folix {

// The text page's lines as the walk gives them, each ended by CR LF, kept on disk until the
// page's turn to be written: a book of any size costs the build no more memory than a file of
// it. They go to a scratch file beside the page, copied into the page at its turn; or, when the
// build knows the page's start before the walk, straight into the page's own temporary file,
// so the text is written once.
class PageSpool : public LineSink {
public:
    explicit PageSpool(const std::string& page_path) : page_path_(page_path) {}

    // The page is written in its own temporary file behind start (the byte-order mark, the head
    // template and the date line), unless its first line begins a whole HTML document, which
    // is written as it is and so is spooled.
    void WriteInPlace(std::string start) { start_ = std::move(start); }

    void Add(std::string_view line, std::string_view ending = {}) override;

    bool empty() const { return empty_; }
    // Whether the first line starts "<HTML>": the page is already a whole document.
    bool IsHtmlDocument() const { return html_document_; }
    // Whether the lines went into the page's own temporary file.
    bool InPlace() const { return page_.has_value(); }

    // The scratch file of the lines, when they are not in place.
    ScratchFile& file();
    // Ends a page in place with its last line and puts it at the page's path: 0, or the first
    // error of the whole write.
    int CommitInPlace(std::string_view last_line);

private:
    TemporaryFile& Output();

    std::string page_path_;
    std::optional<std::string> start_;
    // Made at the first line (an empty page has neither), the scratch file named after the
    // page too, so that the next build of that file clears what a killed one left.
    std::optional<ScratchFile> scratch_;
    std::optional<AtomicFileWriter> page_;
    bool empty_ = true;
    bool html_document_ = false;
};

}  // namespace folix
