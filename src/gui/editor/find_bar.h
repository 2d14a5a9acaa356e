#pragma once

#include <QDialog>

#include <functional>

#include "model/find_bar_model.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace folix {
class CFileSystem;
}

namespace folix::gui {

class CFolixView;

// The find bar of one book window: a small modeless window without caption at the top of the
// screen that finds and replaces in the editor and searches the whole book from its tree. What
// the buttons do is the model's; the bar copies its controls into the model before each button
// and shows the model again after it.
class CFindBar : public QDialog {
    Q_OBJECT
public:
    CFindBar(CFileSystem& book, CFolixView& editor);

    // The buttons.
    void OnOK();           // "次を検索"
    void OnReplaceNext();  // "置換して次に"
    void OnReplaceAll();   // "すべて置換"
    void OnSearchTree();   // "ツリーを検索"
    void OnReset();        // "リセット"
    // "閉じる": keeps the check boxes in the book, stores both histories, and the bar goes.
    void OnCancel();

    void reject() override { OnCancel(); }
    // What brings the editor's caret into view after 次を検索 and 置換して次に.
    void SetLanded(std::function<void()> landed) { landed_ = std::move(landed); }

    QCheckBox* person_name;
    QCheckBox* keep_tree;
    QPushButton* search_tree;
    QPushButton* reset;
    QComboBox* find_text;
    QComboBox* replace_text;
    QPushButton* find_next;
    QPushButton* close_bar;
    QPushButton* replace_next;
    QPushButton* replace_all;
    QCheckBox* match_case;
    QCheckBox* whole_word;

signals:
    // The bar has stored what it keeps and is about to be deleted.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LayOut();
    void MoveToTopOfScreen();
    void TakeControls();
    void ShowModel();
    void Run(const std::function<void()>& command);

    FindBarModel model_;
    bool closed_ = false;
    std::function<void()> landed_;
};

}  // namespace folix::gui
