#pragma once

#include "platform/editor_control.h"

namespace folix::gui {

class CFolixView;

// The core's editor over the editor pane, whichever widget holds the file. Positions are the
// document's own, UTF-16 units with one unit for each paragraph end; the text the core sees has
// "\n" where a paragraph ends. Finding is done here rather than by QTextDocument::find so that a
// whole word is what the core and the command line call a word.
class QtEditorControl : public EditorControl {
public:
    explicit QtEditorControl(CFolixView& editor) : editor_(editor) {}

    std::string GetText() const override;
    long GetTextLength() const override;
    TextRange GetSelection() const override;
    void SetSelection(TextRange range) override;
    std::string GetSelectedText() const override;
    bool ReplaceSelection(const std::string& text) override;
    std::optional<TextRange> FindText(const std::string& text, TextRange range,
                                      FindFlags flags) const override;
    std::optional<TextRange> FindLastText(const std::string& text, TextRange range,
                                          FindFlags flags) const override;
    void BeginUndoGroup() override;
    void EndUndoGroup() override;
    bool IsReadOnly() const override;
    void SetReadOnly(bool read_only) override;
    EditorCharFormat GetDefaultCharFormat() const override;
    void SetDefaultCharFormat(const EditorCharFormat& format) override;
    PrintMargins GetPrintMargins() const override { return margins_; }
    void SetPrintMargins(const PrintMargins& twips) override { margins_ = twips; }

private:
    long Clamp(long position) const;

    CFolixView& editor_;
    // Half an inch on every side until the book's own margins are applied.
    PrintMargins margins_{720, 720, 720, 720};
};

}  // namespace folix::gui
