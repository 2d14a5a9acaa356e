#pragma once

#include <string>
#include <vector>

#include "platform/editor_control.h"

namespace folix {

// An editor held in memory, for the tests and for the command line's whole-word tree search.
// Positions count code points. It finds as the window's editor does: letter case folded when
// asked (ASCII and full-width letters), widths never, whole words by the writer's rule of
// editing/word_boundary.h. Every replacement is one undo step, and the steps can be counted and
// undone.
class MemoryEditorControl : public EditorControl {
public:
    MemoryEditorControl() = default;
    explicit MemoryEditorControl(const std::string& text) { SetText(text); }

    // Loads a text as opening a file does: caret at the start, no undo steps.
    void SetText(const std::string& text);

    std::string GetText() const override;
    long GetTextLength() const override { return static_cast<long>(text_.size()); }

    TextRange GetSelection() const override { return selection_; }
    void SetSelection(TextRange range) override;
    std::string GetSelectedText() const override;
    bool ReplaceSelection(const std::string& text) override;

    std::optional<TextRange> FindText(const std::string& text, TextRange range,
                                      FindFlags flags) const override;
    std::optional<TextRange> FindLastText(const std::string& text, TextRange range,
                                          FindFlags flags) const override;

    bool IsReadOnly() const override { return read_only_; }
    void SetReadOnly(bool read_only) override { read_only_ = read_only; }

    EditorCharFormat GetDefaultCharFormat() const override { return format_; }
    void SetDefaultCharFormat(const EditorCharFormat& format) override { format_ = format; }

    PrintMargins GetPrintMargins() const override { return margins_; }
    void SetPrintMargins(const PrintMargins& twips) override { margins_ = twips; }

    size_t undo_steps() const { return undo_.size(); }
    // Takes back the last replacement; false when there is none.
    bool Undo();

private:
    struct UndoStep {
        std::u32string text;
        TextRange selection;
    };

    struct Search {
        std::u32string pattern;
        size_t start = 0;
        size_t end = 0;
    };

    size_t Clamp(long position) const;
    std::optional<Search> SearchIn(const std::string& text, TextRange range) const;
    std::optional<TextRange> HitAt(const Search& search, size_t pos, FindFlags flags) const;

    std::u32string text_;
    TextRange selection_;
    bool read_only_ = false;
    EditorCharFormat format_;
    PrintMargins margins_;
    std::vector<UndoStep> undo_;
};

}  // namespace folix
