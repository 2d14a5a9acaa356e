#pragma once

#include <functional>
#include <string>
#include <vector>

#include "book/book_options.h"
#include "book/file_io.h"
#include "site/build_outcome.h"
#include "site/site_book.h"

namespace folix {

class Ui;

inline constexpr char kTextNotAllowedMessage[] = "この文書のＴＥＸＴ作成は許可されていません。";

// Writes the whole book as one plain text file beside the book folder, named after the book
// folder with the TEXT extension: a title line for the book and for every folder and file in
// tree order, each followed by an empty line, and the lines of every file. The file is UTF-8
// without a byte-order mark, every line ended by CR LF.
//
// The caller is the book model. Before MakeText it refuses when no tree is shown ("TEXT作成");
// it passes its tree-search reset as reset_tree, which runs behind the wait cursor once the
// build is allowed. Nothing is left for it to do afterwards.
class TextBuilder {
public:
    TextBuilder(Ui& ui, SiteBook book);

    // Refuses a book whose TEXT creation is not allowed. After writing, the path is kept as the
    // last-written one and the options are saved. The notation is written as typed, or, when
    // the book's notation settings ask for it, as its base text alone.
    BuildOutcome MakeText(BookOptions& options, const std::function<void()>& reset_tree = {});

    // The TEXT file of the last build; empty when the writer declined to overwrite it.
    const std::string& text_path() const { return text_path_; }
    // The file the last build wrote, or empty.
    const std::string& written() const { return written_; }

private:
    void WalkText(const std::string& folder, const BookOptions& options, AtomicFileWriter& out);
    void AppendTitle(AtomicFileWriter& out, const BookOptions& options, const std::string& path);
    void AppendText(const std::string& path, AtomicFileWriter& out);

    Ui& ui_;
    SiteBook book_;
    std::string text_path_;
    std::string written_;
    bool base_text_ = false;
};

// The TEXT options as the writer entered them; an empty extension stands for "txt". An
// extension that would put the file elsewhere (IsTextExtension) is refused with a message and
// the previous one kept; the other two are taken all the same. False when refused.
bool SetTextOptions(Ui& ui, BookOptions& options, const std::string& extension,
                    const std::string& head_prefix, bool allow);

}  // namespace folix
