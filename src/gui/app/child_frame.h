#pragma once

#include <QPointer>
#include <QWidget>

class QSplitter;
class QStackedWidget;

namespace folix {
class Desktop;
class Profile;
class Ui;
}  // namespace folix

namespace folix::gui {

class CFindBar;
class CFolixDoc;
class CountStatus;
class PlaceKeeper;
class CFolixView;
class CLeftView;
class VerticalView;

enum class Pane { kTree, kEditor };

// One book window: the tree on the left and the editor on the right, in a splitter. It owns the
// book's document and routes each command to the pane that carries it.
class CChildFrame : public QWidget {
    Q_OBJECT
public:
    CChildFrame(Ui& ui, Desktop& desktop, Profile& profile, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CFolixDoc& Document() { return *document_; }
    CLeftView& Tree() { return *tree_; }
    CFolixView& Editor() { return *editor_; }
    VerticalView& VerticalEditor() { return *vertical_; }
    // The editor shown at the moment: the vertical view in vertical writing.
    QWidget& ShownEditor();

    // Opens the book (or file) and starts the tree; false when the document could not open it.
    bool Open(const std::string& path);
    // The window shows the book this book file names.
    bool IsBook(const std::string& book_file) const;

    int GetTreeWidth() const;
    void SetTreeWidth(int width);
    // Hides a shown tree column, or brings it back at the book's remembered width.
    void ToggleTreePane();

    // The pane that had the focus last.
    Pane ActivePane() const { return active_pane_; }
    void SetActivePane(Pane pane) { active_pane_ = pane; }
    // F6 and Shift+F6: the keyboard's way from the tree to the editor and back.
    void SwitchPane();

    // The editor follows the book's vertical writing; the file does not count as changed.
    void ApplyVertical();
    // Command 32802: the book switches between horizontal and vertical writing.
    void ToggleVertical();
    // The caret of the shown editor well inside the pane.
    void BringCaretIntoView();
    // The book's longest run of digits set upright in vertical writing, on screen and in print.
    void ApplyUprightDigits(int digits);

    // The writer's question about a changed file before the window goes; false keeps it open.
    bool QueryClose();
    // The document's close once the writer has answered: options saved, then the find bar
    // closes, storing its histories.
    void CloseDocument();

    // Command 32796 from either pane: opens the book's find bar over the editor, or brings the
    // open one to the front.
    void OpenFindBar();
    CFindBar* FindBar() const;

    // The book's name, and the file in the editor when it is one of the book's files.
    QString Title() const;
    void UpdateTitle();

    // What the status bar shows of the file in the editor: its counts and the caret's place.
    CountStatus& Counts() { return *count_status_; }

signals:
    void TitleChanged(const QString& title);
    void StatusTextChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CFolixDoc* document_;
    QSplitter* splitter_;
    CLeftView* tree_;
    QStackedWidget* editor_stack_;
    CFolixView* editor_;
    QPointer<CFindBar> find_bar_;
    VerticalView* vertical_;
    CountStatus* count_status_;
    PlaceKeeper* place_keeper_;
    Pane active_pane_ = Pane::kTree;
    bool closed_ = false;
};

}  // namespace folix::gui
