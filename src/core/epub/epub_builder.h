#pragma once

#include <functional>
#include <string>

#include "epub/epub_content.h"
#include "epub/epub_settings.h"
#include "site/build_outcome.h"
#include "site/site_book.h"

namespace folix {

class Ui;

// The command's name, in the messages that name it.
inline constexpr char kEpubActionName[] = "電子書籍作成";
inline constexpr char kEpubTooLargeMessage[] =
    "で本文が大きくなりすぎたため、電子書籍を作成できませんでした。";
inline constexpr char kEpubArchiveMessage[] = "電子書籍を作成できませんでした。";
inline constexpr char kEpubIdentifierMessage[] = "電子書籍の識別子を作成できませんでした。";

// Writes the book as an EPUB 3 e-book beside the book folder, named after the book folder with
// the extension "epub": the tree in the TEXT file's order, one document per top-level folder or
// file, the table of contents nested as the tree is, vertical or horizontal. The file is written
// whole or not at all, and one this book did not write last time is replaced only after the
// question. With SOURCE_DATE_EPOCH set, the same book gives the same bytes.
class EpubBuilder {
public:
    // A book whose chapters hold more than max_text_bytes of XHTML is refused, with the file
    // where it outgrew them.
    EpubBuilder(Ui& ui, SiteBook book, size_t max_text_bytes = kMaxEpubTextBytes);

    // book_vertical is the book's own writing direction, which the e-book follows unless its
    // settings say otherwise. The settings gain the identifier at the first build and the path
    // once written, and are saved then.
    BuildOutcome MakeEpub(EpubSettings& settings, bool book_vertical,
                          const std::function<void()>& reset_tree = {});

    // The e-book file of the last build; empty when the writer declined to overwrite it.
    const std::string& epub_path() const { return epub_path_; }
    // The file the last build wrote, or empty.
    const std::string& written() const { return written_; }

private:
    Ui& ui_;
    SiteBook book_;
    std::string epub_path_;
    std::string written_;
    size_t max_text_bytes_;
};

// The e-book's path: the book folder's name with ".epub", beside the book folder.
std::string EpubPath(const SiteBook& book);

}  // namespace folix
