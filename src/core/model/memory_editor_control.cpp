#include "model/memory_editor_control.h"

#include <algorithm>

#include "book/text_encoding.h"
#include "editing/width_folding.h"
#include "editing/word_boundary.h"

namespace folix {
namespace {

bool MatchesAt(std::u32string_view text, size_t pos, std::u32string_view pattern, bool match_case) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        char32_t a = text[pos + i];
        char32_t b = pattern[i];
        if (a != b && (match_case || FoldLetterCase(a) != FoldLetterCase(b))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void MemoryEditorControl::SetText(const std::string& text) {
    text_ = CodePointsOf(text);
    selection_ = {};
    undo_.clear();
}

std::string MemoryEditorControl::GetText() const {
    return Utf8Of(text_);
}

size_t MemoryEditorControl::Clamp(long position) const {
    return position < 0 ? 0 : std::min(static_cast<size_t>(position), text_.size());
}

void MemoryEditorControl::SetSelection(TextRange range) {
    size_t start = Clamp(range.start);
    size_t end = Clamp(range.end);
    if (end < start) {
        std::swap(start, end);
    }
    selection_ = {static_cast<long>(start), static_cast<long>(end)};
}

std::string MemoryEditorControl::GetSelectedText() const {
    return Utf8Of(
        std::u32string_view(text_).substr(static_cast<size_t>(selection_.start),
                                          static_cast<size_t>(selection_.end - selection_.start)));
}

bool MemoryEditorControl::ReplaceSelection(const std::string& text) {
    if (read_only_) {
        return false;
    }
    undo_.push_back({text_, selection_});
    std::u32string inserted = CodePointsOf(text);
    const auto start = static_cast<size_t>(selection_.start);
    text_.replace(start, static_cast<size_t>(selection_.end - selection_.start), inserted);
    const auto caret = static_cast<long>(start + inserted.size());
    selection_ = {caret, caret};
    return true;
}

// The pattern and the span of positions it may start at, or nothing when it cannot fit.
std::optional<MemoryEditorControl::Search> MemoryEditorControl::SearchIn(const std::string& text,
                                                                        TextRange range) const {
    Search search{CodePointsOf(text), Clamp(range.start),
                  range.end == kEndOfText ? text_.size() : Clamp(range.end)};
    if (search.pattern.empty() || search.end < search.start ||
        search.end - search.start < search.pattern.size()) {
        return std::nullopt;
    }
    return search;
}

std::optional<TextRange> MemoryEditorControl::HitAt(const Search& search, size_t pos,
                                                    FindFlags flags) const {
    const size_t end = pos + search.pattern.size();
    if (!MatchesAt(text_, pos, search.pattern, flags.match_case) ||
        (flags.whole_word && !(IsWordBoundary(text_, pos) && IsWordBoundary(text_, end)))) {
        return std::nullopt;
    }
    return TextRange{static_cast<long>(pos), static_cast<long>(end)};
}

std::optional<TextRange> MemoryEditorControl::FindText(const std::string& text, TextRange range,
                                                       FindFlags flags) const {
    const std::optional<Search> search = SearchIn(text, range);
    if (!search) {
        return std::nullopt;
    }
    for (size_t pos = search->start; pos + search->pattern.size() <= search->end; ++pos) {
        if (std::optional<TextRange> hit = HitAt(*search, pos, flags)) {
            return hit;
        }
    }
    return std::nullopt;
}

std::optional<TextRange> MemoryEditorControl::FindLastText(const std::string& text,
                                                           TextRange range,
                                                           FindFlags flags) const {
    const std::optional<Search> search = SearchIn(text, range);
    if (!search) {
        return std::nullopt;
    }
    for (size_t pos = search->end - search->pattern.size() + 1; pos-- > search->start;) {
        if (std::optional<TextRange> hit = HitAt(*search, pos, flags)) {
            return hit;
        }
    }
    return std::nullopt;
}

bool MemoryEditorControl::Undo() {
    if (undo_.empty()) {
        return false;
    }
    text_ = std::move(undo_.back().text);
    selection_ = undo_.back().selection;
    undo_.pop_back();
    return true;
}

}  // namespace folix
