#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

#include "site/site_book.h"

namespace folix {

class Ui;

inline constexpr char kEmbedTag[] = "<IMBED>";
inline constexpr char kEmbedTooDeepMessage[] =
    "の埋め込みが深すぎるため、そこから先は埋め込みませんでした。";

// Lists embedded in lists stop at this depth: a list that embeds itself, directly or through
// others, would otherwise never end.
inline constexpr int kMaxEmbedDepth = 16;
// A list that embeds itself twice would, within that depth, still be poured in 2^16 times, three
// times 3^16: the lists one file embeds in all are limited too.
inline constexpr char kTooManyEmbedsMessage[] =
    "の埋め込みが多すぎるため、そこから先は埋め込みませんでした。";
inline constexpr int kMaxEmbedsPerFile = 10000;
// And so are the bytes they bring: within the count a list of a megabyte poured in ten thousand
// times would still fill ten gigabytes of page.
inline constexpr size_t kMaxEmbeddedBytesPerFile = 16 * 1024 * 1024;

// Reads the lines of a book file for a writer that turns them into its own output, pouring in
// the book folder's "name.lst" where the writer meets "<IMBED>name" and asks for it (name is a
// file of the book folder or of a folder in it, "lists/cast" or "lists\\cast"; one leading
// elsewhere is refused with "は不正です。"). The site's text page and the
// e-book read their files through it, so both embed with the same limits.
class ListEmbedder {
public:
    ListEmbedder(Ui& ui, const SiteBook& book);
    virtual ~ListEmbedder() = default;

protected:
    // Every line of the file, with the limits of one file's embedding started afresh. A file
    // that cannot be read has been reported and gives no lines.
    void ReadFileLines(const std::string& path);

    // At the start of every file and every list poured in, once it has text.
    virtual void StartFile() {}
    // One line; test is the line without its leading white space.
    virtual void TakeLine(std::string_view line, std::string_view test, int depth) = 0;

    // Pours in the list an "<IMBED>" line (test_text) names, one level deeper.
    void EmbedList(std::string_view test_text, int depth);

    Ui& ui_;
    const SiteBook& book_;

private:
    void ReadLines(const std::string& path, int depth);
    // Once a build: the message that the lists one file embeds reached a limit.
    void ReportTooManyEmbeds(const std::string& list_path);

    // Each runaway list is reported once, not once for every way it was reached.
    std::set<std::string> reported_deep_lists_;
    int embeds_left_ = kMaxEmbedsPerFile;
    size_t embedded_bytes_left_ = kMaxEmbeddedBytesPerFile;
    bool reported_too_many_ = false;  // once a build, like the lists too deep
};

}  // namespace folix
