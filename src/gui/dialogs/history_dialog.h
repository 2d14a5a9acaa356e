#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "history/history_store.h"

class QListWidget;
class QPushButton;
class QTextEdit;

namespace folix::gui {

// Command 履歴: the versions of the file in the editor, newest first (when, what made it,
// 文字数 and its change from the version before), and the chosen one beside them with what
// differs from the text in the editor marked character by character. 復元 ends the dialog with
// the chosen version's text for the editor to take as one edit; the dialog never writes a file.
class CHistoryDlg : public QDialog {
    Q_OBJECT
public:
    // current is the editor's text (UTF-8, lines ended by LF); restorable is false where the
    // editor cannot take a version back (rich text).
    CHistoryDlg(HistoryStore& store, std::vector<FileVersion> versions, std::string current,
                bool restorable, QWidget* parent = nullptr);

    // After 復元: the chosen version's text as the editor holds text.
    const std::string& RestoredText() const { return restored_; }

    QListWidget* list = nullptr;
    QTextEdit* view = nullptr;
    QPushButton* restore = nullptr;

private:
    void ShowChosen();
    void Restore();
    // A version's text as the editor would show it; empty when it cannot be read.
    std::string TextOf(const FileVersion& version);

    HistoryStore& store_;
    std::vector<FileVersion> versions_;  // newest first, as listed
    std::string current_;
    std::string restored_;
};

}  // namespace folix::gui
