#include "editing/editor_find.h"

#include <optional>

#include "editing/width_folding.h"
#include "platform/editor_control.h"
#include "platform/ui.h"

namespace folix {
namespace {

EditorControl::FindFlags FlagsOf(const EditorFindRequest& request) {
    return {request.match_case, request.whole_word};
}

std::optional<TextRange> FindBefore(const EditorControl& editor, const EditorFindRequest& request,
                                    long before) {
    return editor.FindLastText(request.text, {0, before}, FlagsOf(request));
}

std::optional<TextRange> FindFrom(const EditorControl& editor, const EditorFindRequest& request,
                                  long from) {
    return editor.FindText(request.text, {from, kEndOfText}, FlagsOf(request));
}

bool CheckWritable(const EditorControl& editor, Ui& ui) {
    if (editor.IsReadOnly()) {
        ui.ShowMessage(kFindReadOnlyMessage);
        return false;
    }
    return true;
}

}  // namespace

bool SelectionIsTheFindText(const EditorControl& editor, const std::string& text, bool match_case) {
    const std::string selected = editor.GetSelectedText();
    return !selected.empty() && (match_case ? selected == text : EqualsFolded(text, selected));
}

bool FindInEditor(EditorControl& editor, Ui& ui, const EditorFindRequest& request) {
    if (request.text.empty()) {
        return false;
    }
    const TextRange selection = editor.GetSelection();
    std::optional<TextRange> hit = request.up ? FindBefore(editor, request, selection.start)
                                              : FindFrom(editor, request, selection.end);
    const bool whole_file_searched =
        request.up ? selection.start >= editor.GetTextLength() : selection.end == 0;
    if (!hit && !whole_file_searched &&
        ui.AskYesNo(request.up ? kFindWrapUpQuestion : kFindWrapQuestion)) {
        hit = request.up ? FindBefore(editor, request, kEndOfText) : FindFrom(editor, request, 0);
        if (!hit) {
            ui.ShowMessage(request.text + kFindNotFoundSuffix);
        }
    } else if (!hit && whole_file_searched) {
        ui.ShowMessage(request.text + kFindNotFoundSuffix);
    }
    if (hit) {
        editor.SetSelection(*hit);
    }
    return hit.has_value();
}

bool ReplaceInEditor(EditorControl& editor, Ui& ui, const EditorFindRequest& request) {
    if (request.text.empty() || !CheckWritable(editor, ui)) {
        return false;
    }
    if (SelectionIsTheFindText(editor, request.text, request.match_case)) {
        const long start = editor.GetSelection().start;
        editor.ReplaceSelection(request.replacement);
        if (request.up) {
            editor.SetSelection({start, start});  // the next hit up lies before the replacement
        }
    }
    return FindInEditor(editor, ui, request);
}

int ReplaceAllInEditor(EditorControl& editor, Ui& ui, const EditorFindRequest& request) {
    if (request.text.empty() || !CheckWritable(editor, ui)) {
        return 0;
    }
    int count = 0;
    editor.BeginUndoGroup();
    // Each search starts behind the text just put in, so a replacement that holds the find text
    // is not replaced again and the pass ends.
    long from = 0;
    while (std::optional<TextRange> hit = FindFrom(editor, request, from)) {
        editor.SetSelection(*hit);
        if (!editor.ReplaceSelection(request.replacement)) {
            break;
        }
        from = editor.GetSelection().end;
        ++count;
    }
    editor.EndUndoGroup();
    if (count == 0) {
        ui.ShowMessage(request.text + kFindNotFoundSuffix);
    }
    return count;
}

}  // namespace folix
