#include "gui/book/count_status.h"

#include <QTextBlock>

#include "count/book_count.h"
#include "editing/diary_date.h"
#include "gui/book/folix_doc.h"
#include "gui/editor/editor_view.h"
#include "notation/notation_options.h"

namespace folix::gui {
namespace {

QString Number(uint64_t value) {
    return QString::number(static_cast<qulonglong>(value));
}

}  // namespace

CountStatus::CountStatus(CFolixDoc& document, CFolixView& editor, QObject* parent)
    : QObject(parent), document_(document), editor_(editor) {
    connect(&live_, &LiveCount::Changed, this, &CountStatus::Update);
    connect(&editor_, &CFolixView::cursorPositionChanged, this, &CountStatus::Update);
    connect(&editor_, &CFolixView::selectionChanged, this, &CountStatus::Update);
    connect(&editor_, &CFolixView::DocumentSwitched, this, &CountStatus::WatchEditor);
    connect(&document_, &CFolixDoc::PathNameChanged, this, &CountStatus::Reload);
    connect(&document_, &CFolixDoc::Saved, this, &CountStatus::OnSaved);
}

void CountStatus::Reload() {
    if (document_.FileSystem().HasTree()) {
        Ui& ui = document_.GetUi();
        const std::string& root = document_.FileSystem().Tree().GetRootPath();
        settings_ = LoadCountSettings(ui, root);
        upright_digits_ = LoadNotationOptions(ui, root).upright_digits;
        CountBookOnDisk();
    }
    WatchEditor();
}

void CountStatus::WatchEditor() {
    live_.Watch(editor_.document(), settings_.grid.cells, upright_digits_);
}

void CountStatus::CountBookOnDisk() {
    book_on_disk_ = {};
    file_when_counted_ = {};
    if (settings_.goal_unit == GoalUnit::kNone || !document_.FileSystem().HasTree()) {
        return;
    }
    const BookTree& tree = document_.FileSystem().Tree();
    const BookCount count =
        CountBook(document_.GetUi(), document_.FileSystem().BookOnDisk(), settings_.grid.cells);
    book_on_disk_ = count.total;
    for (const CountRow& row : count.files) {
        if (tree.GetRootPath() + "/" + row.path == document_.PathName()) {
            file_when_counted_ = row.length;
        }
    }
}

void CountStatus::OnSaved() {
    if (settings_.goal_unit == GoalUnit::kNone || !document_.FileSystem().HasTree()) {
        return;
    }
    // The book as it was before the day's first save is where the day's writing starts.
    if (NoteSaveOfTheDay(settings_, DayText(LocalToday()), book_on_disk_.characters)) {
        SaveCountSettings(document_.GetUi(), document_.FileSystem().Tree().GetRootPath(),
                          settings_);
    }
    // The file on disk is now the editor's text: the book changes by what the file did, without
    // reading it all again.
    const TextLength file = FileLength();
    book_on_disk_.characters += file.characters - file_when_counted_.characters;
    book_on_disk_.grid_lines += file.grid_lines - file_when_counted_.grid_lines;
    file_when_counted_ = file;
    Update();
}

TextLength CountStatus::FileLength() const {
    TextLength file = live_.Total();
    // The editor always ends in a paragraph; one left empty after the last line end is none of
    // the file's.
    if (file.grid_lines > 0 && editor_.document()->lastBlock().text().isEmpty()) {
        --file.grid_lines;
    }
    return file;
}

void CountStatus::Update() {
    QString text;
    if (!document_.PathName().empty() && editor_.document() != nullptr) {
        const TextLength file = FileLength();
        const QTextCursor cursor = editor_.textCursor();
        text = "文字数 " + Number(file.characters) + "　" +
               QString::fromStdString(SheetsText(file.grid_lines, settings_.grid.lines)) + "枚　" +
               QString::number(cursor.blockNumber() + 1) + "行 " +
               QString::number(cursor.positionInBlock() + 1) + "桁";
        if (cursor.hasSelection()) {
            const QByteArray selected =
                cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n').toUtf8();
            text += "　選択 " +
                    Number(CountCharacters(std::string_view(
                        selected.constData(), static_cast<size_t>(selected.size())))) +
                    "字";
        }
        // The book's total with this file as it stands in the editor.
        TextLength book = book_on_disk_;
        book.characters += file.characters - file_when_counted_.characters;
        book.grid_lines += file.grid_lines - file_when_counted_.grid_lines;
        const std::string goal = GoalProgressText(settings_, book, DayText(LocalToday()));
        if (!goal.empty()) {
            text += "　" + QString::fromStdString(goal);
        }
    }
    if (text != text_) {
        text_ = text;
        emit TextChanged(text_);
    }
}

}  // namespace folix::gui
