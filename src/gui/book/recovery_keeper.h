#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

#include "book/recovery_copy.h"

class QTextDocument;

namespace folix::gui {

// Keeps the recovery copy of the editor's unsaved text: written a moment after the writer stops
// typing, removed when the text is saved, taken back by undo, or given up. Only the copy this
// window wrote (or restored) is ever removed; a copy left by a crash waits for its file to open.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // Where the book keeps its copy, and the copy of the text as it stands (nothing when the
    // editor holds no writable file).
    using FolderOf = std::function<std::string()>;
    using CopyOf = std::function<std::optional<RecoveryCopy>()>;

    RecoveryKeeper(QTextDocument& text, FolderOf folder, CopyOf copy, QObject* parent = nullptr);
    // Follows the editor's text into another document.
    void Watch(QTextDocument& text);

    // Writes the copy at once when the text has unsaved changes (the window is going away
    // without a question, or the file moved).
    void WriteNow();
    void Discard();
    // The copy on disk, just restored into the editor, is this window's to keep and remove.
    void Adopt() { written_ = true; }
    bool HasWritten() const { return written_; }

    static constexpr int kQuietMilliseconds = 2000;

private:
    QTextDocument* text_ = nullptr;
    QMetaObject::Connection changed_, saved_;
    FolderOf folder_;
    CopyOf copy_;
    QTimer quiet_;
    bool written_ = false;
};

}  // namespace folix::gui
