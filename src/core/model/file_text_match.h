#pragma once

#include <optional>
#include <string>

#include "editing/width_folding.h"

namespace folix {

class FolderHandle;
class Ui;
struct BookOptions;

// Whether one file of the book holds the search text, by the find bar's check boxes (case,
// whole word, person name) read from the book's options: the test both whole-book searches
// make, so that they mark the same files. The file is read once; a file that cannot be read
// is reported through ui and holds nothing.
class FileTextMatch {
public:
    FileTextMatch(Ui& ui, const BookOptions& options, const std::string& text);

    // path is the file, file_name its name on disk. typed_words_tested: the window's editor
    // has looked for the whole word in the text as typed already, so only the text as read
    // (its notation's base text) is left to test.
    bool Holds(const std::string& path, const std::string& file_name,
               bool typed_words_tested = false);
    // The same, the file being file_name in the open folder.
    bool HoldsIn(const FolderHandle& folder, const std::string& path, const std::string& file_name);
    // The search text as the tests use it.
    const std::string& Text() const { return search_; }

private:
    // The tests on the file's text, read once; the person-name test folds it in place.
    bool Matches(std::string& text, const std::string& file_name, bool typed_words_tested);
    bool HoldsPersonName(std::string& text, const std::string& file_name);
    bool HoldsWholeWord(const std::string& text, bool typed_words_tested) const;
    bool HoldsText(const std::string& text) const;

    Ui& ui_;
    const BookOptions& options_;
    // Folded on the first file that needs it, and kept folded.
    std::string search_;
    // A plain search across widths folds the search text once for every file.
    std::optional<WidthFoldedSearch> folded_;
};

}  // namespace folix
