#include "model/file_text_match.h"

#include "book/book_options.h"
#include "book/byte_find.h"
#include "book/path_parts.h"
#include "editing/person_name.h"
#include "model/memory_editor_control.h"
#include "notation/notation_lines.h"
#include "rtf/book_text.h"

namespace folix {

FileTextMatch::FileTextMatch(Ui& ui, const BookOptions& options, const std::string& text)
    : ui_(ui), options_(options), search_(text) {
    if (!options_.m_bFindCase && !options_.m_bFindName && !options_.m_bFindWord) {
        folded_.emplace(text);
    }
}

bool FileTextMatch::Holds(const std::string& path, const std::string& file_name,
                          bool typed_words_tested) {
    std::string text;
    return ReadBookFileText(ui_, path, text) && Matches(text, file_name, typed_words_tested);
}

bool FileTextMatch::HoldsIn(const FolderHandle& folder, const std::string& path,
                            const std::string& file_name) {
    std::string text;
    return ReadBookFileTextIn(ui_, folder, file_name, path, text) &&
           Matches(text, file_name, false);
}

bool FileTextMatch::Matches(std::string& text, const std::string& file_name,
                            bool typed_words_tested) {
    if (options_.m_bFindName) {
        return HoldsPersonName(text, file_name);
    }
    if (options_.m_bFindWord) {
        return HoldsWholeWord(text, typed_words_tested);
    }
    return HoldsText(text);
}

bool FileTextMatch::HoldsPersonName(std::string& text, const std::string& file_name) {
    // The title of the file, not of its label: a text file's label has no extension left to
    // cut, and a dot inside it is part of the name.
    std::string title = TitlePart(file_name);
    std::optional<std::string> base = NotationBaseTextOfLines(text);
    FoldWidth(search_, title);
    FoldWidth(search_, text);
    if (base) {
        FoldWidth(search_, *base);
    }
    return MatchPersonName(search_, title) || MatchPersonName(search_, text) ||
           (base && MatchPersonName(search_, *base));
}

bool FileTextMatch::HoldsWholeWord(const std::string& text, bool typed_words_tested) const {
    const EditorControl::FindFlags flags{options_.m_bFindCase, true};
    // The words as read too, a base with ruby on it being one word.
    const std::optional<std::string> base = NotationBaseTextOfLines(text);
    if (!typed_words_tested &&
        MemoryEditorControl(text).FindText(search_, {0, kEndOfText}, flags)) {
        return true;
    }
    return base && MemoryEditorControl(*base).FindText(search_, {0, kEndOfText}, flags);
}

bool FileTextMatch::HoldsText(const std::string& text) const {
    // The text as typed holds the ruby; as read it holds each base whole, even one given ruby
    // a character at a time.
    const auto found_in = [&](const std::string& haystack) {
        return folded_ ? folded_->FoundIn(haystack)
                       : FindBytes(haystack, search_) != std::string_view::npos;
    };
    if (found_in(text)) {
        return true;
    }
    const std::optional<std::string> base = NotationBaseTextOfLines(text);
    return base && found_in(*base);
}

}  // namespace folix
