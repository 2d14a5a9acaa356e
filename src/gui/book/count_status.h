#pragma once

#include <QObject>
#include <QString>

#include "count/count_settings.h"
#include "gui/editor/live_count.h"

namespace folix::gui {

class CFolixDoc;
class CFolixView;

// What the status bar tells of the file in the editor: its 文字数 and sheets as the writer
// types, the caret's line and column, the selection's 文字数, and the book's goal with the day's
// progress. The day's start is noted at the first save of the day.
class CountStatus : public QObject {
    Q_OBJECT
public:
    CountStatus(CFolixDoc& document, CFolixView& editor, QObject* parent = nullptr);

    QString Text() const { return text_; }
    // The book's count settings were changed (the grid, the goal): counts again with them.
    void Reload();

signals:
    void TextChanged(const QString& text);

private:
    void WatchEditor();
    void OnSaved();
    void Update();
    // The file in the editor as the count reads it.
    TextLength FileLength() const;
    // The book's 文字数 and lines on disk, counted when it has a goal.
    void CountBookOnDisk();

    CFolixDoc& document_;
    CFolixView& editor_;
    LiveCount live_;
    CountSettings settings_;
    int upright_digits_ = 2;
    TextLength book_on_disk_;       // the whole book as saved
    TextLength file_when_counted_;  // the file in the editor as the book count found it
    QString text_;
};

}  // namespace folix::gui
