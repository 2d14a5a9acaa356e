#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QLabel;
class QPrinter;

namespace folix {
class Desktop;
class Profile;
class Ui;
}  // namespace folix

namespace folix::gui {

inline constexpr char kNoHistoryMessage[] = "このファイルの履歴はまだありません。";
inline constexpr char kWrittenToMessage[] = "に書き出しました";
// The desktop found no program to show a page with; the path follows on the next line.
inline constexpr char kCannotShowPageMessage[] =
    "次のページを表示できませんでした。既定のブラウザが設定されているか確かめてください。\n";

class CChildFrame;
class CFindReplaceDlg;
class FocusMode;

// The main window: menus, toolbar and status bar around the book windows, which live as tabs of
// an MDI area. Every command goes through one table: its action, what it does, and when it is
// enabled or checked, asked again whenever the window updates its commands.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(Ui& ui, Desktop& desktop, Profile& profile, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Opens a book (or file) in a new book window; false when it could not be opened.
    bool OpenDocument(const std::string& path);
    // The New command: asks for the book file, makes the book and opens it.
    void NewBook();

    CChildFrame* ActiveChild() const;
    QList<CChildFrame*> Children() const;
    QAction* Action(int id) const;
    // Runs a command as its menu item or toolbar button would.
    void RunCommand(int id);
    // Enables, disables and checks every command for the current state.
    void UpdateCommandStates();

    // The HTML manual beside the program: its folder, its name and ".htm".
    static QString ManualPath();

    // The desktop is logging out: every changed file is asked about, or, where the session may
    // not ask, kept in its book's recovery copy. False when the writer cancelled the logout.
    bool CommitSession(bool may_ask);
    // The printer the printer set-up chose, which every print and preview of this window uses.
    QPrinter& Printer() { return *printer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Command {
        QAction* action = nullptr;
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
    };

    QAction* Register(int id, const QString& text, const QKeySequence& shortcut,
                      std::function<void()> run, std::function<bool()> enabled = nullptr,
                      std::function<bool()> checked = nullptr);
    void RegisterCommands();
    void RegisterBookCommands();
    void BuildToolBar();
    void BuildStatusBar();
    // The active book's counts and caret, or nothing without a book.
    void ShowCounts();
    // Command 文字数: the book's counts; the grid and the goal chosen there are kept in the book.
    void ShowBookCounts();
    // Command 履歴: the versions of the file in the editor; 復元 puts one into the editor.
    void ShowHistory();
    // Command 投稿用に書き出す: the book's episodes for a platform, and where it differs.
    void PostBook();
    // The file opened in the editor, its caret at the start of the line (from 1).
    void GoToLine(const std::string& path, size_t line);
    // The status bar says what the build just made wrote, and where.
    void TellBuiltFiles();
    // Command 原稿作成: the book as a manuscript PDF on the chosen grid, the choices kept in the
    // book.
    void MakeManuscriptPdf();
    void BuildMenus();
    void FillRecentMenu();
    QMenu* MakeEditorPopup(QWidget* parent);
    QMenu* MakeTreePopup(QWidget* parent);
    bool RouteAllows(int id) const;
    void OpenWithDialog();
    void Print(bool preview);
    void ChooseFont();
    void ChooseMargins();
    void About();
    CFindReplaceDlg& FindDialog();
    QString FindSeed() const;
    // The page in the desktop's browser, or a message with its path when there is none.
    void ShowPage(const std::string& path);
    void EditHtmlOptions();
    void EditTextOptions();
    // The e-book dialog; OK keeps its choices in the book and writes the e-book.
    void MakeEpub();
    // Command 32784: the upload dialog on the files of the book's last HTML build.
    void Upload();

    Ui& ui_;
    Desktop& desktop_;
    Profile& profile_;
    QMdiArea* mdi_area_;
    std::map<int, Command> commands_;
    // The File menu's recent books, between these two separators, refreshed as the menu opens.
    QMenu* file_menu_ = nullptr;
    QAction* recent_start_ = nullptr;
    QAction* recent_end_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    QLabel* counts_label_ = nullptr;
    // The editor's find and replace dialog, made the first time it is asked for.
    QPointer<CFindReplaceDlg> find_dialog_;
    std::unique_ptr<FocusMode> focus_mode_;
};

}  // namespace folix::gui
