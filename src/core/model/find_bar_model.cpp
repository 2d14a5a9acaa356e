#include "model/find_bar_model.h"

#include "editing/editor_find.h"
#include "editing/search_history.h"
#include "model/file_system.h"
#include "platform/editor_control.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr char kEmptyFindText[] = "検索文字列が無効です。";
constexpr char kEmptyReplaceText[] = "置換文字列が無効です。";

}  // namespace

FindBarModel::FindBarModel(CFileSystem& book, EditorControl& editor)
    : book_(book), editor_(editor), ui_(book.GetUi()) {}

void FindBarModel::Open() {
    const BookOptions& options = book_.Options();
    match_case = options.m_bFindCase;
    whole_word = options.m_bFindWord;
    person_name = options.m_bFindName;
    keep_tree = options.m_bFindKeep;
    std::vector<std::string> list;
    book_.LoadHistory(HistoryKind::kFind, list);
    FillHistory(find_history, list);
    book_.LoadHistory(HistoryKind::kReplace, list);
    FillHistory(replace_history, list);
    find_text = editor_.GetSelectedText();
    if (!find_text.empty()) {
        PushHistory(find_history, find_text);
    }
}

void FindBarModel::TakeOptions() {
    BookOptions& options = book_.Options();
    options.m_bFindCase = match_case;
    options.m_bFindWord = whole_word;
    options.m_bFindName = person_name;
    options.m_bFindKeep = keep_tree;
}

bool FindBarModel::FindAndSelect(long start) {
    std::optional<TextRange> hit =
        editor_.FindText(find_text, {start, kEndOfText}, {match_case, whole_word});
    if (hit) {
        editor_.SetSelection(*hit);
    }
    return hit.has_value();
}

bool FindBarModel::FindNext() {
    TakeOptions();
    if (find_text.empty()) {
        ui_.ShowMessage(kEmptyFindText);
        return false;
    }
    PushHistory(find_history, find_text);
    const long start = editor_.GetSelection().end;
    if (FindAndSelect(start)) {
        return true;
    }
    if (start == 0) {
        ui_.ShowMessage(find_text + kFindNotFoundSuffix);
        return false;
    }
    if (!ui_.AskYesNo(kFindWrapQuestion)) {
        return false;
    }
    if (FindAndSelect(0)) {
        return true;
    }
    ui_.ShowMessage(find_text + kFindNotFoundSuffix);
    return false;
}

bool FindBarModel::CheckReplace() {
    if (editor_.IsReadOnly()) {
        ui_.ShowMessage(kFindReadOnlyMessage);
        return false;
    }
    TakeOptions();
    if (find_text.empty()) {
        ui_.ShowMessage(kEmptyFindText);
        return false;
    }
    PushHistory(find_history, find_text);
    // An empty replacement would make replace a way to delete text unseen.
    if (replace_text.empty()) {
        ui_.ShowMessage(kEmptyReplaceText);
        return false;
    }
    PushHistory(replace_history, replace_text);
    return true;
}

void FindBarModel::ReplaceAndFindNext() {
    if (!CheckReplace()) {
        return;
    }
    // Without Case the check forgives widths as well, though the editor's find does not.
    if (SelectionIsTheFindText(editor_, find_text, match_case)) {
        editor_.ReplaceSelection(replace_text);
    }
    FindNext();
}

int FindBarModel::ReplaceAll() {
    if (!CheckReplace()) {
        return 0;
    }
    int count = 0;
    editor_.SetSelection({0, 0});
    // Each search starts behind the text just inserted, so a replacement that holds the find
    // text is not replaced again and the pass ends.
    while (FindAndSelect(editor_.GetSelection().end)) {
        if (!editor_.ReplaceSelection(replace_text)) {
            break;
        }
        ++count;
    }
    return count;
}

void FindBarModel::SearchTree() {
    TakeOptions();
    if (!find_text.empty()) {
        PushHistory(find_history, find_text);
    }
    book_.SearchTree(find_text);
}

void FindBarModel::ResetTree() {
    book_.SearchTree("");
}

void FindBarModel::Close() {
    TakeOptions();
    book_.StoreHistory(HistoryKind::kFind, ReadHistory(find_history));
    book_.StoreHistory(HistoryKind::kReplace, ReadHistory(replace_history));
}

}  // namespace folix
