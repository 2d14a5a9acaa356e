#include "gui/gui_fixture.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QTabBar>
#include <QTextDocument>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <functional>
#include <thread>

#include "book/file_faults.h"
#include "book/recent_files.h"
#include "book/recovery_copy.h"
#include "gui/commands.h"
#include "gui/recovery_keeper.h"

namespace folix {
namespace {

using gui::CLeftView;
using testing::Exists;
using testing::ReadBytes;
using Answer = Ui::Answer;
using Names = std::vector<std::string>;

constexpr char kAskSave[] = "はじめには変更されています。保存しますか？";

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
    QTextEdit& Editor() { return child->Editor(); }
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
            QTest::sendKeyEvent(QTest::Click, &Editor(), Qt::Key_unknown, QString(ch), {});
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
// afterwards writes where the file now is, and a deleted file never comes back.
TEST_F(WritersTextTest, TheEditorFollowsItsFileThroughEveryTreeEdit) {
    struct Row {
        const char* what;
        const char* open;  // the page clicked, in 第一章　朝
        std::function<void()> edit;
        const char* now_at;  // where the page is afterwards; empty when it is gone
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAgain();
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
        EXPECT_FALSE(Exists(was_at));
        EXPECT_FALSE(child->Document().IsModified());
    }
}

}  // namespace
}  // namespace folix
