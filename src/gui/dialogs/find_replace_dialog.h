#pragma once

#include <QDialog>

#include <functional>

#include "editing/editor_find.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace folix {
class EditorControl;
class Ui;
}  // namespace folix

namespace folix::gui {

// The editor's find and replace dialog, as the desktop's framework gives it: the find text (and
// in replace, the replacement), whole words, letter case, up or down (find only), and the
// buttons. It stays open beside the text and works on the editor the window has active when a
// button is pressed; each hit is handed on to be brought into view.
class CFindReplaceDlg : public QDialog {
public:
    CFindReplaceDlg(Ui& ui, std::function<EditorControl*()> editor,
                    std::function<void()> landed, QWidget* parent = nullptr);

    // Shows the dialog for finding, or for replacing, with the text in the find field when one
    // is given.
    void ShowFind(const QString& text);
    void ShowReplace(const QString& text);
    bool IsReplacing() const { return replacing_; }

    // 次を検索, also F3 when the dialog is closed: false when nothing is found or there is
    // nothing to find yet.
    bool FindNext();
    void Replace();
    void ReplaceAll();
    EditorFindRequest Request() const;

private:
    void Show(bool replacing, const QString& text);
    void UpdateButtons();

    Ui& ui_;
    std::function<EditorControl*()> editor_;
    std::function<void()> landed_;
    bool replacing_ = false;
    QLineEdit* find_text_;
    QLabel* replace_label_;
    QLineEdit* replace_text_;
    QCheckBox* whole_word_;
    QCheckBox* match_case_;
    QGroupBox* direction_;
    QRadioButton* up_;
    QRadioButton* down_;
    QPushButton* find_next_;
    QPushButton* replace_;
    QPushButton* replace_all_;
    QLabel* result_;
};

}  // namespace folix::gui
