#include "gui/gui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include "book/book_options.h"
#include "book/last_place.h"
#include "book/recent_files.h"
#include "gui/app/commands.h"
#include "gui/app/window_memory.h"
#include "gui/book/place_keeper.h"
#include "gui/dialogs/find_replace_dialog.h"
#include "gui/editor/find_bar.h"
#include "gui/editor/vertical_view.h"

namespace folix {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;
using Names = std::vector<std::string>;

// The window as a writer works it: keys, clicks, the dialogs beside the text, and what is on
// disk and in the profile afterwards.
class WindowTest : public testing::GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        child = &OpenFirstPageInEditor();
    }
    // A key in the editor, the window active, as after a click back into the text.
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        frame->activateWindow();
        QTest::keyClick(&child->Editor().TextWidget(), static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }
    gui::CFindReplaceDlg* Dialog() { return frame->findChild<gui::CFindReplaceDlg*>(); }
    template <class Widget>
    Widget* In(const char* name) {
        return Dialog() ? Dialog()->findChild<Widget*>(name) : nullptr;
    }
    QString Selected() { return child->Editor().textCursor().selectedText(); }
    // A page long enough to scroll, the word to find near its end.
    void OpenLongPage() {
        std::string text;
        for (int i = 0; i < 600; ++i) {
            text += "庭の" + std::to_string(i) + "行目。\r\n";
        }
        WriteBytes(dir / "sample/あとがき.txt", text + "ここに梅の花。\r\n" + text);
        Select(*child, Find(*child, Root(*child), "あとがき"));
        FocusEditor(*child);
    }
    // The caret well inside the shown view, neither off it nor at its edge.
    void ExpectCaretWellInside() {
        if (child->Document().FileSystem().Options().m_bVertical) {
            gui::VerticalView& view = child->VerticalEditor();
            const QRect caret = view.CaretRectInViewport();
            const int width = view.viewport()->width();
            EXPECT_GT(caret.left(), width / 8) << caret.left() << " of " << width;
            EXPECT_LT(caret.right(), width - width / 8) << caret.right() << " of " << width;
        } else {
            auto& widget = static_cast<QPlainTextEdit&>(child->Editor().TextWidget());
            const QRect caret = widget.cursorRect();
            const int height = widget.viewport()->height();
            EXPECT_GT(caret.top(), height / 8) << caret.top() << " of " << height;
            EXPECT_LT(caret.bottom(), height - height / 8) << caret.bottom() << " of " << height;
        }
    }

    gui::CChildFrame* child = nullptr;
};

// Ctrl+F, F3 and Ctrl+H give the framework's dialogs: up and down, whole words and case, a
// message when nothing is found, the question before going round, and replace all as one undo
// step. Each hit is brought well into view.
TEST_F(WindowTest, TheEditorsFindAndReplaceDialogs) {
    const QString text = child->Editor().toPlainText();
    Key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_FALSE(Dialog()->IsReplacing());
    In<QLineEdit>("findText")->setText("、");
    QTest::mouseClick(In<QPushButton>("findNext"), Qt::LeftButton);
    EXPECT_EQ(Selected(), "、");
    const int first = child->Editor().textCursor().selectionStart();
    EXPECT_EQ(first, static_cast<int>(text.indexOf("、")));
    Key(Qt::Key_F3);
    EXPECT_EQ(child->Editor().textCursor().selectionStart(),
              static_cast<int>(text.indexOf("、", first + 1)));
    // Past the last one the writer is asked; いいえ stays where the caret was.
    child->Editor().moveCursor(QTextCursor::End);
    ui.ExpectQuestion(false);
    Key(Qt::Key_F3);
    EXPECT_EQ(ui.questions, Names{"最後まで検索しました。最初から検索しますか？"});
    EXPECT_EQ(Selected(), "");
    In<QRadioButton>("up")->setChecked(true);
    QTest::mouseClick(In<QPushButton>("findNext"), Qt::LeftButton);
    EXPECT_EQ(child->Editor().textCursor().selectionStart(),
              static_cast<int>(text.lastIndexOf("、")));
    In<QLineEdit>("findText")->setText("雪");
    ui.ExpectQuestion(true);
    QTest::mouseClick(In<QPushButton>("findNext"), Qt::LeftButton);
    EXPECT_EQ(ui.messages, Names{"雪は見つかりませんでした。"});

    const std::string on_disk = ReadBytes(dir / "sample/はじめに.txt");
    const QString before = child->Editor().toPlainText();
    Key(Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(Dialog()->IsReplacing());
    EXPECT_FALSE(In<QRadioButton>("up")->isVisible());
    In<QLineEdit>("findText")->setText("。");
    In<QLineEdit>("replaceText")->setText("！");
    QTest::mouseClick(In<QPushButton>("replaceAll"), Qt::LeftButton);
    EXPECT_EQ(In<QLabel>("result")->text(), "3件を置換しました。");
    EXPECT_EQ(child->Editor().toPlainText().count("！"), 3);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(child->Editor().toPlainText(), before);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(child->Editor().toPlainText().count("！"), 3);
    EXPECT_EQ(ReadBytes(dir / "sample/はじめに.txt"), on_disk);  // nothing saved unasked

    ui.ExpectAnswer(Ui::Answer::kNo);  // the replaced page is left unsaved
    OpenLongPage();
    In<QLineEdit>("findText")->setText("梅の花");
    Dialog()->ShowFind("");
    In<QRadioButton>("down")->setChecked(true);
    QTest::mouseClick(In<QPushButton>("findNext"), Qt::LeftButton);
    EXPECT_EQ(Selected(), "梅の花");
    ExpectCaretWellInside();
}

// Replace is not offered for a file the writer may not change; find is.
TEST_F(WindowTest, ReplaceIsGreyedForAReadOnlyFile) {
    EXPECT_TRUE(Enabled(gui::kCmdReplace));
    ASSERT_TRUE(child->Document().OpenDocument(book_path));
    FocusEditor(*child);
    EXPECT_FALSE(Enabled(gui::kCmdReplace));
    EXPECT_TRUE(Enabled(gui::kCmdFind));
}

// A command that cannot act is greyed on the toolbar as soon as the pane changes, and an
// enabled one acts: 縦書印刷 from the toolbar, after a click into the editor, writes the book's
// direction at once, so a crash keeps it.
TEST_F(WindowTest, TheToolbarShowsWhatCanActAndWhatIsEnabledActs) {
    auto* bar = frame->findChild<QToolBar*>("toolbar");
    QWidget* vertical = bar->widgetForAction(frame->Action(gui::kCmdVerticalPrint));
    ASSERT_NE(vertical, nullptr);
    frame->activateWindow();
    QTest::mouseClick(child->Tree().viewport(), Qt::LeftButton, {},
                      child->Tree().visualItemRect(Root(*child)).center());
    QApplication::processEvents();
    EXPECT_FALSE(vertical->isEnabled());
    for (int id : {gui::kCmdUndo, gui::kCmdPaste, gui::kCmdFont, gui::kCmdReplace}) {
        EXPECT_FALSE(frame->Action(id)->isEnabled()) << id;
    }
    QTest::mouseClick(child->Editor().TextWidget().viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    QApplication::processEvents();
    ASSERT_TRUE(vertical->isEnabled());
    QTest::mouseClick(vertical, Qt::LeftButton);
    EXPECT_TRUE(child->Document().FileSystem().Options().m_bVertical);
    EXPECT_TRUE(LoadBookOptions(ui, dir / "sample").m_bVertical);
    EXPECT_NE(bar->widgetForAction(frame->Action(gui::kCmdCut))->toolTip().indexOf("Ctrl+X"), -1);
}

// After switching to vertical writing, and after the find bar's hit, the caret is well inside
// the pane, in both directions.
TEST_F(WindowTest, TheCaretIsBroughtWellIntoViewWhenTheDirectionChanges) {
    OpenLongPage();
    QTextCursor caret = child->Editor().textCursor();
    caret.setPosition(static_cast<int>(child->Editor().toPlainText().indexOf("梅の花")));
    child->Editor().setTextCursor(caret);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "to vertical" : "back to horizontal");
        frame->RunCommand(gui::kCmdVerticalPrint);
        QApplication::processEvents();
        ExpectCaretWellInside();
    }
    // The book's find bar lands its hits well inside the pane too.
    child->Editor().moveCursor(QTextCursor::Start);
    frame->RunCommand(gui::kCmdSearch);
    ASSERT_NE(child->FindBar(), nullptr);
    child->FindBar()->find_text->setCurrentText("梅の花");
    QTest::mouseClick(child->FindBar()->find_next, Qt::LeftButton);
    EXPECT_EQ(Selected(), "梅の花");
    ExpectCaretWellInside();
    child->FindBar()->close_bar->click();
}

// The book window after a crash (the window gone without closing) opens where the writer was:
// the same file, the caret where it rested, in vertical writing.
TEST_F(WindowTest, AfterACrashTheBookOpensWhereTheWriterWas) {
    QTreeWidgetItem* chapter = Find(*child, Root(*child), "第一章　朝");
    Select(*child, Find(*child, chapter, "鳥の声"));
    FocusEditor(*child);
    QTextCursor caret = child->Editor().textCursor();
    caret.setPosition(5);
    child->Editor().setTextCursor(caret);
    frame->RunCommand(gui::kCmdVerticalPrint);
    QTest::qWait(gui::kCaretRestMs + 300);
    frame.reset();  // no close, no question, nothing saved on the way out

    frame = std::make_unique<gui::CMainFrame>(ui, desktop, profile);
    frame->show();
    ASSERT_TRUE(frame->OpenDocument(book_path));
    gui::CChildFrame& reopened = *frame->ActiveChild();
    EXPECT_EQ(reopened.Document().PathName(), dir / "sample/第一章　朝/鳥の声.txt");
    EXPECT_EQ(reopened.Editor().textCursor().position(), 5);
    EXPECT_TRUE(reopened.Document().FileSystem().Options().m_bVertical);
    EXPECT_EQ(reopened.Tree().currentItem()->text(0), "鳥の声");
    EXPECT_FALSE(reopened.Document().IsModified());

    // A kept place that is no longer in the book opens the book as it always did.
    SaveLastPlace(profile, dir / "sample/sample.flx", {"第一章　朝/ない.txt", 3});
    frame = std::make_unique<gui::CMainFrame>(ui, desktop, profile);
    ASSERT_TRUE(frame->OpenDocument(book_path));
    EXPECT_EQ(frame->ActiveChild()->Document().PathName(), dir / "sample/sample.flx");
}

// Zoom is the view's: Ctrl+plus, Ctrl+minus, Ctrl+wheel and Ctrl+0 change what the screen
// shows, never the book's font, the file or its modified mark.
TEST_F(WindowTest, ZoomChangesTheViewOnly) {
    const auto size_of = [](const QFont& font) {
        return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    };
    const qreal book_size = size_of(child->Editor().BookFont());
    const std::string options_file = ReadBytes(dir / "sample/options.flc");
    const auto shown = [&] { return size_of(child->Editor().document()->defaultFont()); };
    Key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(shown(), book_size);
    Key(Qt::Key_Minus, Qt::ControlModifier);
    Key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(shown(), book_size);
    QWidget* viewport = child->Editor().TextWidget().viewport();
    QWheelEvent wheel(QPointF(20, 20), viewport->mapToGlobal(QPointF(20, 20)), {}, {0, 240},
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    EXPECT_GT(shown(), book_size);
    Key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(shown(), book_size);
    EXPECT_EQ(size_of(child->Editor().BookFont()), book_size);
    EXPECT_FALSE(child->Document().IsModified());
    EXPECT_EQ(ReadBytes(dir / "sample/options.flc"), options_file);
}

// The focus mode leaves only the text and Esc brings the rest back; F11 is full screen.
TEST_F(WindowTest, FocusModeLeavesOnlyTheTextUntilEsc) {
    const auto around = [this] {
        return std::vector<bool>{frame->menuBar()->isVisible(),
                                 frame->findChild<QToolBar*>("toolbar")->isVisible(),
                                 frame->statusBar()->isVisible(), child->Tree().isVisible()};
    };
    ASSERT_EQ(around(), std::vector<bool>(4, true));
    Key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(around(), std::vector<bool>(4, false));
    EXPECT_TRUE(child->ShownEditor().isVisible());
    Key(Qt::Key_S, Qt::ControlModifier);  // the keys still work
    Key(Qt::Key_Escape);
    EXPECT_EQ(around(), std::vector<bool>(4, true));
    Key(Qt::Key_F11);
    EXPECT_TRUE(frame->windowState() & Qt::WindowFullScreen);
}

// The menus carry the 編集 menu with its keys, and the browser that cannot be started is said
// so with the page's path.
TEST_F(WindowTest, TheEditMenuAndAPageTheDesktopCannotShow) {
    QMenu* edit = nullptr;
    for (QAction* action : frame->menuBar()->actions()) {
        if (action->text() == "編集(&E)") {
            edit = action->menu();
        }
    }
    ASSERT_NE(edit, nullptr);
    QStringList texts;
    for (QAction* action : edit->actions()) {
        if (!action->isSeparator()) {
            texts << action->text() + " " + action->shortcut().toString();
        }
    }
    EXPECT_EQ(texts, (QStringList{"元に戻す(&U) Ctrl+Z", "やり直し(&R) Ctrl+Y", "切り取り(&T) Ctrl+X",
                                  "ｺﾋﾟｰ(&C) Ctrl+C", "貼り付け(&P) Ctrl+V", "すべて選択(&L) Ctrl+A",
                                  "検索(&F)... Ctrl+F", "次を検索(&I) F3", "置換(&E) Ctrl+H"}));
    EXPECT_TRUE(frame->Action(gui::kCmdRedo)->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));

    desktop.opens = false;
    frame->RunCommand(gui::kCmdManual);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              gui::kCannotShowPageMessage + gui::CMainFrame::ManualPath().toStdString());
}

// The window comes back at its size and place; the open dialog starts in the last book's folder.
TEST(WindowMemory, TheWindowComesBackAsItWasLeft) {
    testing::MemoryProfile profile;
    QMainWindow first;
    first.setGeometry(100, 80, 640, 420);
    first.show();
    gui::RememberWindow(first, profile);
    QMainWindow second;
    gui::ShowAsRemembered(second, profile);
    EXPECT_EQ(second.size(), QSize(640, 420));
    EXPECT_FALSE(second.isMaximized());

    testing::MemoryProfile fresh;
    QMainWindow third;
    gui::ShowAsRemembered(third, fresh);
    EXPECT_TRUE(third.isMaximized());
    EXPECT_EQ(gui::LastBookFolder(fresh), QString());

    testing::TempFolder dir;
    std::filesystem::create_directories(dir / "books");
    ReplaceRecentFile(fresh, "", dir / "gone/gone.flx");
    EXPECT_EQ(gui::LastBookFolder(fresh), QString());
    ReplaceRecentFile(fresh, "", dir / "books/novel.flx");
    EXPECT_EQ(gui::LastBookFolder(fresh).toStdString(), dir / "books");
}

}  // namespace
}  // namespace folix
