#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace folix {

// A stretch of the editor's text, start <= end, in the control's own character positions (a
// QTextDocument counts UTF-16 units, the in-memory editor code points). The core never does
// arithmetic on positions: it takes them from the control and hands them back, and only ever
// makes up 0, the start of the text. GetTextLength is the position of the end of the text, and
// FindText finds "\n" at a paragraph end, so a place behind a line end is found, not counted.
struct TextRange {
    long start = 0;
    long end = 0;
    bool operator==(const TextRange&) const = default;
};

// As the end of a search range: the end of the text.
inline constexpr long kEndOfText = -1;

// The editor's default character format: what plain text is shown in, the book's font.
struct EditorCharFormat {
    std::string face;    // font family name
    int size_twips = 0;  // character size in twentieths of a point; 0 leaves the control's own
    int weight = 400;    // 400 regular, 700 bold, as font weights go
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    uint32_t color = 0;  // red + 256 * green + 65536 * blue, as "font.flc" keeps it
    bool operator==(const EditorCharFormat&) const = default;
};

// The editor view's print margins, in twips (twentieths of a point) from the paper's edges.
struct PrintMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PrintMargins&) const = default;
};

// The editor operations the core needs: the find bar, the tree search's whole-word test and the
// program's own edits (diary dates, replacements) go through these and nothing else. The Qt
// editor implements it for the window, MemoryEditorControl for the tests and the command line.
class EditorControl {
public:
    struct FindFlags {
        bool match_case = false;  // off: letter case ignored (widths are not folded)
        bool whole_word = false;  // the hit must begin and end at word boundaries
    };

    virtual ~EditorControl() = default;

    // The whole text in UTF-8, paragraphs ended by "\n".
    virtual std::string GetText() const = 0;
    virtual long GetTextLength() const = 0;

    virtual TextRange GetSelection() const = 0;
    // An empty range puts the caret there.
    virtual void SetSelection(TextRange range) = 0;
    virtual std::string GetSelectedText() const = 0;
    // Replaces the selection as one undo step and leaves the caret behind the inserted text with
    // nothing selected. Refused (false, nothing changed) while the control is read-only, so no
    // edit of the program's own can reach a file the writer may not change.
    virtual bool ReplaceSelection(const std::string& text) = 0;

    // The first occurrence of text inside range (end kEndOfText: to the end), searching forward;
    // nothing when there is none. The selection is not changed.
    virtual std::optional<TextRange> FindText(const std::string& text, TextRange range,
                                              FindFlags flags) const = 0;
    // The last occurrence of text inside range, searching backward from its end.
    virtual std::optional<TextRange> FindLastText(const std::string& text, TextRange range,
                                                  FindFlags flags) const = 0;

    // The edits between the two are one undo step.
    virtual void BeginUndoGroup() {}
    virtual void EndUndoGroup() {}

    virtual bool IsReadOnly() const = 0;
    virtual void SetReadOnly(bool read_only) = 0;

    virtual EditorCharFormat GetDefaultCharFormat() const = 0;
    virtual void SetDefaultCharFormat(const EditorCharFormat& format) = 0;

    // The margins the editor's text is printed within.
    virtual PrintMargins GetPrintMargins() const = 0;
    virtual void SetPrintMargins(const PrintMargins& twips) = 0;
};

}  // namespace folix
