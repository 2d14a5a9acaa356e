#include "gui/gui_fixture.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabBar>
#include <QTextDocument>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <thread>

#include "book/file_faults.h"
#include "book/recent_files.h"
#include "book/recovery_copy.h"
#include "gui/app/commands.h"
#include "gui/book/recovery_keeper.h"
#include "gui/editor/find_bar.h"
#include "gui/editor/vertical_view.h"

namespace folix {

// Set for a copy of this program that the crash test starts and kills: the book to type into,
// the file it makes once it has done all it was asked, and the name it gives the changed page.
inline constexpr char kTypeIntoVariable[] = "FOLIX_TEST_TYPE_INTO";
inline constexpr char kDoneVariable[] = "FOLIX_TEST_DONE";
inline constexpr char kRenameToVariable[] = "FOLIX_TEST_RENAME_TO";
int TypeIntoBookUntilKilled(const std::string& book);

namespace {

using gui::CLeftView;
using testing::Exists;
using testing::ReadBytes;
using Answer = Ui::Answer;
using Names = std::vector<std::string>;

constexpr char kAskSave[] = "はじめには変更されています。保存しますか？";
constexpr char kTypedBeforeTheKill[] = "落ちる前の一文";

// Saves of one file fail as on a full disk, for as long as the test holds i
class FailingSaves {
public:
    explicit FailingSaves(std::string name) {
        SetFileFaultHook(
            [name = std::move(name)](FileOperation operation, const std::string& path) {
                return operation == FileOperation::kWrite && path.find(name) != std::string::npos
                           ? ENOSPC
                           : 0;
            });
    }
    ~FailingSaves() { SetFileFaultHook({}); }
};

// A writer at the window: clicks in the tree, types in the editor, saves with Ctrl+S.
class WritersTextTest : public testing::TreeFixture {
protected:
    gui::CFolixView& Editor() { return child->Editor(); }
    void Click(QTreeWidgetItem* item) {
        QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(item));
        QApplication::processEvents();
    }
    // Opens the page by a click and types at its end.
    void OpenAndType(QTreeWidgetItem* item, const QString& text) {
        Click(item);
        Type(text);
    }
    void Type(const QString& text) {
        FocusEditor(*child);
        Editor().moveCursor(QTextCursor::End);
        for (QChar ch : text) {
            QTest::sendKeyEvent(QTest::Click, &Editor().TextWidget(), Qt::Key_unknown, QString(ch),
                                {});
        }
    }
    void Save() { QTest::keyClick(&Editor(), Qt::Key_S, Qt::ControlModifier); }
    QTreeWidgetItem* Chapter() { return Find(*child, root, "第一章　朝"); }
    std::string Sample(const std::string& path) { return dir / ("sample/" + path); }
    // The book window's close box, on its tab.
    void ClickCloseBox() {
        auto* tabs = frame->findChild<QMdiArea*>()->findChild<QTabBar*>();
        ASSERT_NE(tabs, nullptr);
        QWidget* box = tabs->tabButton(tabs->currentIndex(), QTabBar::RightSide);
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box, Qt::LeftButton);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Whatever the tree does to the open file or a folder above it, the editor goes along: a save
// afterwards writes where the file now is, and a deleted file never comes back. A folder whose
// name merely begins the name of the file's folder (第一章 beside 第一章　朝) holds nothing of it.
TEST_F(WritersTextTest, TheEditorFollowsItsFileThroughEveryTreeEdit) {
    struct Row {
        const char* what;
        const char* open;  // the page clicked, in 第一章　朝
        std::function<void()> edit;
        const char* now_at;            // where the page is afterwards; empty when it is gone
        const char* beside = nullptr;  // a folder made beside 第一章　朝 first
    };
    const Row rows[] = {
        {"drag the file out of its folder", "鳥の声",
         [this] {
             frame->RunCommand(gui::kCmdMultiFolder);  // both folders stay open
             Drag(Find(*child, Chapter(), "鳥の声"), Find(*child, root, "はじめに"));
         },
         "鳥の声.txt"},
        {"rename the file", "鳥の声", [this] { Rename(Find(*child, Chapter(), "鳥の声"), "小鳥"); },
         "第一章　朝/小鳥.txt"},
        {"rename its folder", "梅の木", [this] { Rename(Chapter(), "第一章"); },
         "第一章/梅の木.txt"},
        {"drag its folder", "梅の木",
         [this] {
             frame->RunCommand(gui::kCmdMultiFolder);
             QTreeWidgetItem* rain = Find(*child, root, "第二章　雨");
             child->Tree().Expand(CLeftView::ToItem(rain), true);
             Drag(Chapter(), rain->child(0));
         },
         "第二章　雨/第一章　朝/梅の木.txt"},
        {"delete the file", "縁側にて",
         [this] {
             ui.ExpectQuestion(true);
             Choose(RightClick(At(Find(*child, Chapter(), "縁側にて"))), "削除");
         },
         ""},
        {"delete its folder", "縁側にて",
         [this] {
             ui.ExpectQuestion(true);
             Choose(RightClick(At(Chapter())), "削除");
         },
         ""},
        {"rename a folder whose name begins its folder's", "梅の木",
         [this] { Rename(Find(*child, root, "第一章"), "序章"); }, "第一章　朝/梅の木.txt",
         "第一章"},
        {"delete a folder whose name begins its folder's", "縁側にて",
         [this] {
             ui.ExpectQuestion(true);
             Choose(RightClick(At(Find(*child, root, "第一章"))), "削除");
         },
         "第一章　朝/縁側にて.txt", "第一章"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAgain();
        if (row.beside != nullptr) {
            testing::MakeFolder(Sample(row.beside));
            testing::WriteBytes(Sample(row.beside) + "/補遺.txt", "補遺\r\n");
            child->Document().FileSystem().ReloadFolder(CLeftView::ToItem(root));
        }
        const std::string was_at = Sample(std::string("第一章　朝/") + row.open + ".txt");
        const std::string before = ReadBytes(was_at);
        Click(Find(*child, Chapter(), row.open));
        child->SetActivePane(gui::Pane::kTree);
        row.edit();
        if (*row.now_at == '\0') {
            EXPECT_TRUE(Editor().isReadOnly());
            EXPECT_TRUE(Editor().toPlainText().isEmpty());
            Save();
            EXPECT_FALSE(Exists(was_at));
            continue;
        }
        EXPECT_EQ(child->Document().PathName(), Sample(row.now_at));
        Type("追記");
        Save();
        EXPECT_EQ(ReadBytes(Sample(row.now_at)), before + "追記");
        if (Sample(row.now_at) != was_at) {
            EXPECT_FALSE(Exists(was_at));
        }
        EXPECT_FALSE(child->Document().IsModified());
    }
}

// A save the writer chose and the disk refused stops whatever asked for it: the message says so,
// the text stays in the editor and the file on disk is as it was.
TEST_F(WritersTextTest, AFailedSaveStopsWhatAskedForIt) {
    struct Row {
        const char* what;
        bool three_way;  // the closing question, with キャンセル
        std::function<void()> action;
        std::function<void()> unchanged;
    };
    const auto still_open = [this] { EXPECT_EQ(frame->Children().size(), 1); };
    const Row rows[] = {
        {"another file clicked", false, [this] { Click(Find(*child, root, "あとがき")); },
         [this] { EXPECT_EQ(child->Tree().currentItem()->text(0), "はじめに"); }},
        {"a rename", false, [this] { Rename(Find(*child, root, "はじめに"), "序"); },
         [this] { EXPECT_FALSE(Exists(Sample("序.txt"))); }},
        {"the HTML build", false, [this] { frame->RunCommand(gui::kCmdMakeHtml); },
         [this] { EXPECT_FALSE(Exists(dir / "sample.htm")); }},
        {"the close box", true, [this] { ClickCloseBox(); }, still_open},
        {"quitting", true, [this] { frame->RunCommand(gui::kCmdExit); }, still_open},
        {"logging out", true, [this] { EXPECT_FALSE(frame->CommitSession(true)); }, still_open},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAgain();
        ASSERT_TRUE(
            SetHtmlFileName(ui, child->Document().FileSystem().GetHtmlOptions(), "sample.htm", ""));
        const std::string before = ReadBytes(Sample("はじめに.txt"));
        OpenAndType(Find(*child, root, "はじめに"), "消えない");
        child->SetActivePane(gui::Pane::kTree);
        FailingSaves full_disk("はじめに");
        if (row.three_way) {
            ui.ExpectAnswer(Answer::kYes);
        } else {
            ui.ExpectQuestion(true);
        }
        row.action();
        EXPECT_EQ(ui.questions, Names{kAskSave});
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("はじめに.txt"), std::string::npos) << ui.messages[0];
        row.unchanged();
        EXPECT_EQ(ReadBytes(Sample("はじめに.txt")), before);
        EXPECT_TRUE(Editor().toPlainText().endsWith("消えない"));
        EXPECT_TRUE(child->Document().IsModified());
        EXPECT_EQ(child->Document().PathName(), Sample("はじめに.txt"));
    }
}

// Closing, quitting and logging out ask はい / いいえ / キャンセル once: キャンセル keeps the
// window and the text, いいえ leaves the file as it was, はい saves first. No recovery copy is
// left behind by a window that closed.
TEST_F(WritersTextTest, ClosingAsksOnceAndKeepsWhatTheWriterChose) {
    struct Row {
        const char* what;
        Answer answer;
        std::function<void()> close;
        bool saved;
    };
    const auto close_box = [this] { ClickCloseBox(); };
    const auto quit = [this] { frame->RunCommand(gui::kCmdExit); };
    // The desktop logs out, then the program is closed: the writer answered already.
    const auto log_out = [this] {
        if (frame->CommitSession(true)) {
            frame->close();
        }
    };
    const Row rows[] = {
        {"close box, キャンセル", Answer::kCancel, close_box, false},
        {"close box, いいえ", Answer::kNo, close_box, false},
        {"close box, はい", Answer::kYes, close_box, true},
        {"quit, キャンセル", Answer::kCancel, quit, false},
        {"quit, いいえ", Answer::kNo, quit, false},
        {"log out, キャンセル", Answer::kCancel, log_out, false},
        {"log out, いいえ", Answer::kNo, log_out, false},
        {"log out, はい", Answer::kYes, log_out, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAgain();
        const std::string before = ReadBytes(Sample("はじめに.txt"));
        OpenAndType(Find(*child, root, "はじめに"), "一行");
        child->Document().KeepRecoveryCopy();
        ASSERT_TRUE(Exists(Sample(kRecoveryFileName)));
        ui.ExpectAnswer(row.answer);
        row.close();
        QApplication::processEvents();
        EXPECT_EQ(ui.questions, Names{kAskSave});
        EXPECT_EQ(ReadBytes(Sample("はじめに.txt")), row.saved ? before + "一行" : before);
        if (row.answer == Answer::kCancel) {
            ASSERT_EQ(frame->Children().size(), 1);
            EXPECT_TRUE(child->Document().IsModified());
            EXPECT_TRUE(Editor().toPlainText().endsWith("一行"));
            EXPECT_TRUE(Exists(Sample(kRecoveryFileName)));
        } else {
            EXPECT_TRUE(frame->Children().empty());
            EXPECT_FALSE(Exists(Sample(kRecoveryFileName)));
        }
    }
}

// While a file has unsaved changes its text is kept in the book's hidden recovery copy, which
// the tree never shows; saving, or giving the changes up, removes it.
TEST_F(WritersTextTest, TheRecoveryCopyLivesAsLongAsTheUnsavedText) {
    OpenAndType(Find(*child, root, "はじめに"), "控え");
    QTest::qWait(gui::RecoveryKeeper::kQuietMilliseconds + 300);
    std::optional<RecoveryCopy> copy = ReadRecoveryCopy(Sample(""));
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->relative_path, "はじめに.txt");
    EXPECT_TRUE(copy->text.ends_with("控え"));
    child->Document().FileSystem().ReloadFolder(CLeftView::ToItem(root));
    EXPECT_FALSE(Labels(root).join("|").contains("recovery"));

    Save();
    EXPECT_FALSE(Exists(Sample(kRecoveryFileName)));
    Type("もう一行");
    child->Document().KeepRecoveryCopy();
    ui.ExpectQuestion(false);
    Click(Find(*child, root, "あとがき"));
    EXPECT_FALSE(Exists(Sample(kRecoveryFileName)));
}

// A plain page and an RTF page take turns in the pane, each in a widget of its own: what is
// typed, undone and saved stays with its file in either writing direction, undo never takes a
// file's own text away, and the recovery copy follows the file shown.
TEST_F(WritersTextTest, PlainAndRichPagesTakeTurnsWithoutMixing) {
    testing::WriteBytes(Sample("rich.txt"),
                        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold}\\par}");
    child->Document().FileSystem().ReloadFolder(CLeftView::ToItem(root));
    const std::string first_page = ReadBytes(Sample("はじめに.txt"));
    const auto undo_twice = [this] {
        for (int i = 0; i < 2; ++i) {
            QTest::keyClick(&Editor().TextWidget(), Qt::Key_Z, Qt::ControlModifier);
        }
    };

    OpenAndType(Find(*child, root, "はじめに"), "一");
    EXPECT_FALSE(Editor().HoldsRichText());
    Save();
    OpenAndType(Find(*child, root, "rich"), "二");
    EXPECT_TRUE(Editor().HoldsRichText());
    undo_twice();
    EXPECT_EQ(Editor().toPlainText(), "plain bold");
    Type("三");
    QTest::qWait(gui::RecoveryKeeper::kQuietMilliseconds + 300);
    const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(Sample(""));
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->relative_path, "rich.txt");
    EXPECT_TRUE(copy->rtf);
    Save();
    EXPECT_FALSE(Exists(Sample(kRecoveryFileName)));

    child->ToggleVertical();
    FocusEditor(*child);
    QTest::sendKeyEvent(QTest::Click, &child->VerticalEditor(), Qt::Key_unknown, QString("四"), {});
    EXPECT_TRUE(Editor().toPlainText().contains("四"));
    Save();
    Click(Find(*child, root, "はじめに"));
    EXPECT_FALSE(Editor().HoldsRichText());
    undo_twice();
    FocusEditor(*child);
    Editor().moveCursor(QTextCursor::End);
    QTest::sendKeyEvent(QTest::Click, &child->VerticalEditor(), Qt::Key_unknown, QString("五"), {});
    Save();
    child->ToggleVertical();

    EXPECT_EQ(ReadBytes(Sample("はじめに.txt")), first_page + "一五");
    const std::string rich = ReadBytes(Sample("rich.txt"));
    EXPECT_EQ(rich.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(rich.find("\\b"), std::string::npos);
    EXPECT_NE(rich.find("\\u19977"), std::string::npos);  // 三
    EXPECT_NE(rich.find("\\u22235"), std::string::npos);  // 四
    EXPECT_EQ(rich.find("\\u20108"), std::string::npos);  // 二, undone
    EXPECT_EQ(rich.find("\\u19968"), std::string::npos);  // 一, the other file's
}

// Leaving a changed file asks はい / いいえ / キャンセル wherever the writer may only have
// misclicked; キャンセル leaves the file, the editor, the selection and the tree as they were.
TEST_F(WritersTextTest, CancelLeavesTheFileTheTreeAndTheEditorAsTheyWere) {
    struct Row {
        const char* what;
        std::function<void()> action;
    };
    const auto bar_button = [this](QPushButton* gui::CFindBar::*button) {
        frame->RunCommand(gui::kCmdSearch);
        ASSERT_NE(child->FindBar(), nullptr);
        child->FindBar()->find_text->setCurrentText("雨");
        QTest::mouseClick(child->FindBar()->*button, Qt::LeftButton);
        QApplication::processEvents();
    };
    const Row rows[] = {
        {"another file clicked", [this] { Click(Find(*child, root, "あとがき")); }},
        {"another file by the keyboard",
         [this] {
             child->Tree().setFocus();
             QTest::keyClick(&child->Tree(), Qt::Key_End);
             QApplication::processEvents();
         }},
        {"a drag", [this] { Drag(Find(*child, root, "あとがき"), Chapter()); }},
        {"ツリーを検索", [&] { bar_button(&gui::CFindBar::search_tree); }},
        {"リセット", [&] { bar_button(&gui::CFindBar::reset); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAgain();
        const std::string before = ReadBytes(Sample("はじめに.txt"));
        OpenAndType(Find(*child, root, "はじめに"), "まだ途中");
        const QStringList labels = Labels(root);
        ui.ExpectAnswer(Answer::kCancel);
        row.action();
        EXPECT_EQ(ui.questions, Names{kAskSave});
        EXPECT_EQ(child->Tree().currentItem()->text(0), "はじめに");
        EXPECT_EQ(Labels(root), labels);
        EXPECT_FALSE(child->Document().FileSystem().Tree().m_bSearchLock);
        EXPECT_EQ(ReadBytes(Sample("はじめに.txt")), before);
        EXPECT_TRUE(Editor().toPlainText().endsWith("まだ途中"));
        EXPECT_TRUE(child->Document().IsModified());
        EXPECT_EQ(child->Document().PathName(), Sample("はじめに.txt"));
        EXPECT_TRUE(ui.messages.empty());
        if (child->FindBar() != nullptr) {
            child->FindBar()->close_bar->click();
        }
    }
}

// The double click, the Tab key and the question around a rename: a double click never starts
// a rename, Tab ends one without opening the next item, and the writer is asked once.
TEST_F(WritersTextTest, RenamingAsksOnceAndOnlyWhenMeant) {
    QTreeWidgetItem* first = Find(*child, root, "はじめに");
    Click(first);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(first));
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, At(first));
    QTest::qWait(QApplication::doubleClickInterval() + 200);
    EXPECT_EQ(child->Tree().findChild<QLineEdit*>(), nullptr);

    Type("改稿");
    ui.ExpectQuestion(false);
    child->Tree().setCurrentItem(first);
    QTest::keyClick(&child->Tree(), Qt::Key_F2);
    auto* editor = child->Tree().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("序");
    QTest::keyClick(editor, Qt::Key_Tab);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ui.questions, Names{kAskSave});
    EXPECT_TRUE(Exists(Sample("序.txt")));
    EXPECT_EQ(child->Tree().currentItem()->text(0), "序");
    EXPECT_EQ(child->Tree().findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(child->Document().PathName(), Sample("序.txt"));
    EXPECT_TRUE(Editor().toPlainText().endsWith("改稿"));  // いいえ kept it unsaved, not lost
    EXPECT_TRUE(child->Document().IsModified());
}

// Each pane's commands act on that pane: with the tree active the edit commands are off and
// Ctrl+V changes no text unseen. F6 and Shift+F6 go from one pane to the other.
TEST_F(WritersTextTest, KeysActOnThePaneTheyAreIn) {
    OpenAndType(Find(*child, root, "はじめに"), "x");
    const QString text = Editor().toPlainText();
    QApplication::clipboard()->setText("貼られた");
    for (Qt::KeyboardModifiers shift :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        ASSERT_TRUE(Editor().hasFocus());
        QTest::keyClick(&Editor(), Qt::Key_F6, shift);
        EXPECT_TRUE(child->Tree().hasFocus());
        EXPECT_EQ(child->ActivePane(), gui::Pane::kTree);
        for (int id :
             {gui::kCmdUndo, gui::kCmdCut, gui::kCmdCopy, gui::kCmdPaste, gui::kCmdSelectAll}) {
            EXPECT_FALSE(Enabled(id)) << id;
        }
        QTest::keyClick(&child->Tree(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&child->Tree(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Editor().toPlainText(), text);
        QTest::keyClick(&child->Tree(), Qt::Key_F6, shift);
        EXPECT_TRUE(Editor().hasFocus());
        EXPECT_TRUE(Enabled(gui::kCmdPaste));
    }
}

// The File menu is made once: opening it again adds nothing, and the recent books it shows are
// the list as it is now, a renamed book included.
TEST_F(WritersTextTest, TheFileMenuShowsTheRecentListAsItIs) {
    QMenu* file = frame->menuBar()->findChildren<QMenu*>().first();
    emit file->aboutToShow();
    const qsizetype items = file->actions().size();
    const qsizetype menus = frame->findChildren<QMenu*>().size();
    Rename(root, "庭");
    emit file->aboutToShow();
    emit file->aboutToShow();
    EXPECT_EQ(file->actions().size(), items);
    EXPECT_EQ(frame->findChildren<QMenu*>().size(), menus);
    QStringList shown;
    for (QAction* action : file->actions()) {
        shown << action->text();
    }
    EXPECT_TRUE(shown.join("|").contains("庭/庭.flx")) << shown.join("|").toStdString();
}

// What the writer chose in the printer set-up is the printer the window prints with.
TEST_F(WritersTextTest, ThePrinterSetUpIsKeptForPrinting) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->printer()->setPageOrientation(QPageLayout::Landscape);
        dialog->accept();
    });
    frame->RunCommand(gui::kCmdPrintSetup);
    EXPECT_EQ(frame->Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

// Every text file of the book, by its path in the book folder.
std::map<std::string, std::string> TextFiles(const std::string& book) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(book)) {
        if (entry.path().extension() == ".txt") {
            files[std::filesystem::relative(entry.path(), book).string()] =
                ReadBytes(entry.path().string());
        }
    }
    return files;
}

// A writer's day, with the mouse and the keys: every word typed ends up once, in the file the
// tree shows, under the names the writer gave.
TEST_F(WritersTextTest, AWritersDayLosesNothing) {
    std::map<std::string, std::string> expected = TextFiles(Sample(""));
    const std::string plum = expected.at("第一章　朝/梅の木.txt");
    expected.erase("第一章　朝/梅の木.txt");
    for (const char* rain : {"傘.txt", "六月.txt"}) {
        expected["第二章/" + std::string(rain)] = expected.at("第二章　雨/" + std::string(rain));
        expected.erase("第二章　雨/" + std::string(rain));
    }
    expected["第二章/梅の木.txt"] = plum + "朝の一文移した後の一文夜の一文";
    frame->RunCommand(gui::kCmdMultiFolder);
    QTreeWidgetItem* rain = Find(*child, root, "第二章　雨");
    child->Tree().Expand(CLeftView::ToItem(rain), true);

    OpenAndType(Find(*child, Chapter(), "梅の木"), "朝の一文");
    ui.ExpectQuestion(true);  // a drag first offers the changed file for saving
    Drag(Find(*child, Chapter(), "梅の木"), Find(*child, rain, "傘"));
    Drag(Find(*child, Chapter(), "梅の木"), Find(*child, rain, "傘"));
    EXPECT_EQ(child->Document().PathName(), Sample("第二章　雨/梅の木.txt"));
    Type("移した後の一文");
    ui.ExpectQuestion(false);  // the rename's question: not yet
    Rename(rain, "第二章");
    EXPECT_EQ(child->Document().PathName(), Sample("第二章/梅の木.txt"));
    Save();
    ASSERT_TRUE(
        SetHtmlFileName(ui, child->Document().FileSystem().GetHtmlOptions(), "day.htm", ""));
    frame->RunCommand(gui::kCmdMakeHtml);
    EXPECT_NE(ReadBytes(dir / "day3_.htm").find("移した後の一文"), std::string::npos);

    Type("夜の一文");
    ui.ExpectAnswer(Answer::kCancel);
    ClickCloseBox();
    ASSERT_EQ(frame->Children().size(), 1);
    ui.ExpectAnswer(Answer::kYes);
    ClickCloseBox();
    EXPECT_TRUE(frame->Children().empty());
    EXPECT_EQ(TextFiles(Sample("")), expected);
    EXPECT_FALSE(Exists(Sample(kRecoveryFileName)));

    gui::CChildFrame& again = OpenSample();
    Select(again, Find(again, Find(again, Root(again), "第二章"), "梅の木"));
    EXPECT_TRUE(again.Editor().toPlainText().endsWith("朝の一文移した後の一文夜の一文"));
    EXPECT_EQ(ui.questions.size(), 4u);  // drag, rename, close twice, and nothing on reopening
}

// The text typed before the window was killed is offered back when its file opens again, under
// the name the writer gave it after typing too; another page of the book never is. いいえ gives
// the text up for good.
TEST_F(WritersTextTest, TextTypedBeforeAKillIsOfferedBackOnTheNextOpen) {
    struct Row {
        const char* what;
        const char* renamed_to;  // the changed page's new name, given in the tree before the kill
    };
    const Row rows[] = {
        {"killed while typing", nullptr},
        {"killed after renaming the changed page", "序"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAgain();
        std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "crash",
                              std::filesystem::copy_options::recursive);
        const std::string title = row.renamed_to != nullptr ? row.renamed_to : "はじめに";
        const std::string page = dir / ("crash/" + title + ".txt");
        const std::string crash_copy = dir / (std::string("crash/") + kRecoveryFileName);
        const std::string done = dir / "done";
        const std::string before = ReadBytes(dir / "crash/はじめに.txt");
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::setenv(kTypeIntoVariable, (dir / "crash/sample.flx").c_str(), 1);
            ::setenv(kDoneVariable, done.c_str(), 1);
            if (row.renamed_to != nullptr) {
                ::setenv(kRenameToVariable, row.renamed_to, 1);
            }
            ::execl("/proc/self/exe", "folix_gui_tests", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!Exists(done) && std::chrono::steady_clock::now() < give_up) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the typing window ended on its own: " << status;
        EXPECT_EQ(ReadBytes(page), before);

        ASSERT_TRUE(frame->OpenDocument(dir / "crash/sample.flx"));
        gui::CChildFrame& crashed = *frame->ActiveChild();
        Select(crashed, Find(crashed, Root(crashed), "あとがき"));
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_FALSE(crashed.Document().IsModified());
        EXPECT_FALSE(crashed.Editor().toPlainText().contains(kTypedBeforeTheKill));
        EXPECT_TRUE(Exists(crash_copy));

        ui.ExpectQuestion(true);
        Select(crashed, Find(crashed, Root(crashed), QString::fromStdString(title)));
        EXPECT_EQ(ui.questions,
                  Names{"「" + title + "」には保存されていない変更が残っています。復元しますか？"});
        EXPECT_TRUE(crashed.Editor().toPlainText().endsWith(kTypedBeforeTheKill));
        EXPECT_TRUE(crashed.Document().IsModified());
        ASSERT_TRUE(crashed.Document().OnSaveDocument());
        EXPECT_EQ(ReadBytes(page), before + kTypedBeforeTheKill);
        EXPECT_FALSE(Exists(crash_copy));

        ASSERT_EQ(WriteRecoveryCopy(dir / "crash", {"あとがき.txt", false, "捨てる"}), 0);
        ui.ExpectQuestion(false);
        Select(crashed, Find(crashed, Root(crashed), "あとがき"));
        EXPECT_FALSE(crashed.Document().IsModified());
        EXPECT_FALSE(crashed.Editor().toPlainText().contains("捨てる"));
        EXPECT_FALSE(Exists(crash_copy));
    }
}

}  // namespace

// The window the crash test kills: the book open, a line typed into its first page, kept in the
// recovery copy at the writer's pause, the page renamed without saving when asked to, and then
// nothing but waiting.
int TypeIntoBookUntilKilled(const std::string& book) {
    testing::ScriptedUi ui;
    testing::MemoryProfile profile;
    testing::FolderTrashDesktop desktop(book + ".trash");
    gui::CMainFrame frame(ui, desktop, profile);
    frame.show();
    if (!frame.OpenDocument(book)) {
        return 1;
    }
    gui::CChildFrame& child = *frame.ActiveChild();
    QTreeWidgetItem* root = child.Tree().topLevelItem(0);
    child.Tree().Expand(CLeftView::ToItem(root), true);
    QTreeWidgetItem* page = nullptr;
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == "はじめに") {
            page = root->child(i);
        }
    }
    if (page == nullptr) {
        return 1;
    }
    child.Tree().setCurrentItem(page);
    child.Editor().moveCursor(QTextCursor::End);
    for (QChar ch : QString(kTypedBeforeTheKill)) {
        QTest::sendKeyEvent(QTest::Click, &child.Editor().TextWidget(), Qt::Key_unknown,
                            QString(ch), {});
    }
    const std::string folder = std::filesystem::path(book).parent_path();
    while (!ReadRecoveryCopy(folder)) {
        QTest::qWait(100);
    }
    if (const char* new_name = std::getenv(kRenameToVariable)) {
        ui.ExpectQuestion(false);  // the rename offers the page for saving: not now
        QTest::keyClick(&child.Tree(), Qt::Key_F2);
        auto* editor = child.Tree().findChild<QLineEdit*>();
        if (editor == nullptr) {
            return 1;
        }
        editor->setText(QString::fromUtf8(new_name));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    testing::WriteBytes(std::getenv(kDoneVariable), "");
    for (;;) {
        QTest::qWait(1000);
    }
}

}  // namespace folix
