#include "gui/gui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>

#include "book/book_tree.h"
#include "book/control_file.h"
#include "gui/app/commands.h"
#include "gui/editor/find_bar.h"

namespace folix {
namespace {

using gui::CLeftView;
using testing::GuiFixture;
using testing::ReadBytes;
using testing::WriteBytes;
using Flags = EditorControl::FindFlags;

constexpr char kLockNotice[] =
    "今はできません。folix検索ダイアログのリセットボタンを押してやり直してください。";

// The value lines of a control file of the book, without its header.
std::vector<std::string> ValueLines(const std::string& path) {
    std::string bytes = ReadBytes(path);
    std::vector<std::string> lines;
    size_t start = bytes.find('\n') + 1;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end == std::string::npos ? bytes.size() : end + 1;
    }
    return lines;
}

QStringList Entries(const QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) {
        entries << combo->itemText(i);
    }
    return entries;
}

class FindBarTest : public GuiFixture {
protected:
    // The sample open on a file whose text the test chooses, with the bar open over it.
    gui::CFindBar& OpenBarOn(const std::string& text) {
        WriteBytes(dir / "sample/はじめに.txt", text);
        gui::CChildFrame& child = OpenSample();
        child_ = &child;
        Select(child, Find(child, Root(child), "はじめに"));
        frame->RunCommand(gui::kCmdSearch);
        EXPECT_NE(child.FindBar(), nullptr);
        return *child.FindBar();
    }
    EditorControl& Editor() { return child_->Editor().Control(); }
    TreeItemImage Image(QTreeWidgetItem* item) {
        return child_->Tree().GetItemImage(CLeftView::ToItem(item));
    }
    QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& label) {
        for (int i = 0; i < parent->childCount(); ++i) {
            if (parent->child(i)->text(0) == label) {
                return parent->child(i);
            }
        }
        ADD_FAILURE() << "no item " << label.toStdString();
        return parent;
    }
    QStringList Labels(QTreeWidgetItem* item) {
        QStringList labels;
        for (int i = 0; i < item->childCount(); ++i) {
            labels << item->child(i)->text(0);
        }
        return labels;
    }

    gui::CChildFrame* child_ = nullptr;
};

TEST(QtEditorControl, CountsUtf16UnitsAndFindsWordsAsTheCoreDoes) {
    gui::CFolixView view;
    view.SetPlainFileText("𠮷野家の山田は\nCAT ＣＡＴ cat");
    view.setReadOnly(false);
    EditorControl& editor = view.Control();
    EXPECT_EQ(editor.GetTextLength(), 20);  // 𠮷 is two units, the paragraph end one
    EXPECT_EQ(editor.GetText(), "𠮷野家の山田は\nCAT ＣＡＴ cat");

    EXPECT_EQ(editor.FindText("山田", {0, kEndOfText}, Flags{false, true}), (TextRange{5, 7}));
    EXPECT_FALSE(editor.FindText("田", {0, kEndOfText}, Flags{false, true}));
    EXPECT_FALSE(editor.FindText("野家", {0, kEndOfText}, Flags{false, true}));
    // Letter case is ignored without Case, widths never are.
    EXPECT_EQ(editor.FindText("cat", {0, kEndOfText}, {}), (TextRange{9, 12}));
    EXPECT_EQ(editor.FindText("cat", {10, kEndOfText}, {}), (TextRange{17, 20}));
    EXPECT_EQ(editor.FindText("cat", {0, kEndOfText}, Flags{true, false}), (TextRange{17, 20}));
    EXPECT_EQ(editor.FindText("ｃａｔ", {0, kEndOfText}, {}), (TextRange{13, 16}));
    EXPECT_FALSE(editor.FindText("cat", {10, 19}, {}));
    EXPECT_EQ(editor.FindText("は\nC", {0, kEndOfText}, {}), (TextRange{7, 10}));

    editor.SetSelection({7, 12});
    EXPECT_EQ(editor.GetSelectedText(), "は\nCAT");
    editor.SetSelection({5, 7});
    ASSERT_TRUE(editor.ReplaceSelection("田中さん"));
    EXPECT_EQ(editor.GetSelection(), (TextRange{9, 9}));
    EXPECT_EQ(editor.GetText(), "𠮷野家の田中さんは\nCAT ＣＡＴ cat");
    view.undo();
    EXPECT_EQ(editor.GetText(), "𠮷野家の山田は\nCAT ＣＡＴ cat");

    editor.SetReadOnly(true);
    EXPECT_FALSE(editor.ReplaceSelection("x"));
    EXPECT_EQ(editor.GetText(), "𠮷野家の山田は\nCAT ＣＡＴ cat");
}

TEST_F(FindBarTest, OpensOncePerBookAtTheTopWithTheSelectionToFind) {
    gui::CChildFrame& child = OpenSample();
    CFileSystem& book = child.Document().FileSystem();
    book.Options().m_bFindWord = true;
    book.Options().m_bFindKeep = true;
    WriteBytes(dir / "sample/find.flc", std::string(kControlFileHeader) + "\r\n梅\r\n庭\r\n");
    Select(child, Find(child, Root(child), "はじめに"));
    child.SetActivePane(gui::Pane::kEditor);
    child.Editor().Control().SetSelection({8, 9});  // 庭
    frame->RunCommand(gui::kCmdSearch);
    gui::CFindBar* bar = child.FindBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->find_text->currentText(), "庭");
    EXPECT_EQ(Entries(bar->find_text), (QStringList{"庭", "梅"}));
    EXPECT_TRUE(bar->whole_word->isChecked());
    EXPECT_TRUE(bar->keep_tree->isChecked());
    EXPECT_FALSE(bar->match_case->isChecked());
    EXPECT_FALSE(bar->person_name->isChecked());
    EXPECT_EQ(bar->y(), bar->screen()->geometry().top());
    EXPECT_EQ(bar->x(), bar->screen()->geometry().left() +
                            (bar->screen()->geometry().width() - bar->width()) / 2);

    child.SetActivePane(gui::Pane::kTree);
    frame->RunCommand(gui::kCmdSearch);
    EXPECT_EQ(child.FindBar(), bar);
    EXPECT_EQ(bar->findChildren<QComboBox*>().size(), 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FindBarTest, RefusedWithoutATree) {
    WriteBytes(dir / "loose.txt", "text");
    ASSERT_TRUE(frame->OpenDocument(dir / "loose.txt"));
    frame->RunCommand(gui::kCmdSearch);
    EXPECT_EQ(frame->ActiveChild()->FindBar(), nullptr);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"ツリーが表示されていないのでfolix検索ができま"
                                                    "せん。ツリーを表示してやり直してください。"});
}

TEST_F(FindBarTest, FindNextAsksBeforeGoingOnFromTheStart) {
    gui::CFindBar& bar = OpenBarOn("庭と猫と庭");
    bar.find_text->setEditText("庭");
    // Enter in the find field is "次を検索", the bar's default button.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(bar.find_text->lineEdit(), &enter);
    EXPECT_EQ(Editor().GetSelection(), (TextRange{0, 1}));
    bar.OnOK();
    EXPECT_EQ(Editor().GetSelection(), (TextRange{4, 5}));
    ui.ExpectQuestion(false);
    bar.OnOK();
    EXPECT_EQ(Editor().GetSelection(), (TextRange{4, 5}));
    ui.ExpectQuestion(true);
    bar.OnOK();
    EXPECT_EQ(Editor().GetSelection(), (TextRange{0, 1}));
    EXPECT_EQ(ui.questions,
              std::vector<std::string>(2, "最後まで検索しました。最初から検索しますか？"));
    EXPECT_TRUE(child_->Editor().textCursor().hasSelection());

    bar.find_text->setEditText("ＣＡＴ");
    Editor().SetSelection({0, 0});
    bar.OnOK();
    EXPECT_EQ(ui.messages.back(), "ＣＡＴは見つかりませんでした。");
    bar.find_text->setEditText("");
    bar.OnOK();
    EXPECT_EQ(ui.messages.back(), "検索文字列が無効です。");
    EXPECT_EQ(Entries(bar.find_text), (QStringList{"ＣＡＴ", "庭"}));
}

TEST_F(FindBarTest, ReplacingChecksFirstAndReplaceAllUndoesStepByStep) {
    gui::CFindBar& bar = OpenBarOn("猫と犬と猫と猫");
    bar.find_text->setEditText("猫");
    bar.replace_text->setEditText("");
    bar.OnReplaceAll();
    EXPECT_EQ(ui.messages.back(), "置換文字列が無効です。");
    EXPECT_EQ(Editor().GetText(), "猫と犬と猫と猫");

    // A replacement that holds the find text is not replaced again: one pass.
    bar.replace_text->setEditText("猫猫");
    bar.OnReplaceAll();
    EXPECT_EQ(Editor().GetText(), "猫猫と犬と猫猫と猫猫");
    EXPECT_TRUE(child_->Document().IsModified());
    EXPECT_EQ(Entries(bar.replace_text), (QStringList{"猫猫"}));
    child_->Editor().undo();
    EXPECT_EQ(Editor().GetText(), "猫猫と犬と猫猫と猫");
    child_->Editor().undo();
    child_->Editor().undo();
    EXPECT_EQ(Editor().GetText(), "猫と犬と猫と猫");

    // Replace-and-next forgives widths in the selection, but its find does not reach them.
    Editor().SetSelection({0, 0});
    Editor().ReplaceSelection("ＣＡＴ cat ＣＡＴ");
    Editor().SetSelection({0, 3});
    bar.find_text->setEditText("cat");
    bar.replace_text->setEditText("犬");
    bar.OnReplaceNext();
    EXPECT_EQ(Editor().GetText(), "犬 cat ＣＡＴ猫と犬と猫と猫");
    EXPECT_EQ(Editor().GetSelectedText(), "cat");

    ui.messages.clear();
    child_->Editor().setReadOnly(true);
    bar.OnReplaceAll();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"読取専用ファイルです。"});
}

TEST_F(FindBarTest, TreeSearchMarksHitsAndHoldsTheTreeUntilReset) {
    gui::CFindBar& bar = OpenBarOn("はじめの頁");
    QTreeWidgetItem* root = Root(*child_);
    bar.find_text->setEditText("梅");
    bar.OnSearchTree();
    // Cut down to the hit and the folders above it, all open.
    EXPECT_EQ(Labels(root), QStringList{"第一章　朝"});
    QTreeWidgetItem* chapter = root->child(0);
    EXPECT_EQ(Labels(chapter), QStringList{"梅の木"});
    EXPECT_EQ(Image(root), kImageOpenFolderAboveHit);
    EXPECT_EQ(Image(chapter), kImageOpenFolderAboveHit);
    EXPECT_EQ(Image(chapter->child(0)), kImageFileHit);
    EXPECT_TRUE(chapter->isExpanded());

    CFileSystem& book = child_->Document().FileSystem();
    book.m_hContextItem = CLeftView::ToItem(root);
    frame->RunCommand(gui::kCmdNewFolder);
    child_->Tree().Expand(CLeftView::ToItem(chapter), false);
    EXPECT_EQ(ui.notices, std::vector<std::string>(2, kLockNotice));
    EXPECT_TRUE(chapter->isExpanded());
    EXPECT_FALSE(testing::Exists(dir / "sample/新しいフォルダ"));

    bar.OnReset();
    EXPECT_EQ(Labels(root), (QStringList{"はじめに", "第一章　朝", "第二章　雨", "あとがき"}));
    EXPECT_EQ(Image(root), kImageOpenFolder);
    ui.notices.clear();
    frame->RunCommand(gui::kCmdNewFolder);
    EXPECT_TRUE(ui.notices.empty());

    // Kept whole: every file marked, the folders above a hit closed with their own image, and
    // editing still refused.
    bar.keep_tree->setChecked(true);
    bar.find_text->setEditText("鳥");
    bar.OnSearchTree();
    EXPECT_EQ(Labels(root).size(), 5);  // with the folder made after the reset
    chapter = Child(root, "第一章　朝");
    EXPECT_EQ(Image(chapter), kImageClosedFolderAboveHit);
    EXPECT_FALSE(chapter->isExpanded());
    EXPECT_EQ(Image(Child(root, "第二章　雨")), kImageClosedFolder);
    EXPECT_EQ(Image(Child(root, "はじめに")), kImageEditableFile);
    EXPECT_EQ(Image(Child(chapter, "鳥の声")), kImageFileHit);
    EXPECT_EQ(Image(Child(chapter, "梅の木")), kImageEditableFile);
    frame->RunCommand(gui::kCmdDelete);
    EXPECT_EQ(ui.notices, std::vector<std::string>{kLockNotice});
    EXPECT_EQ(Entries(bar.find_text), (QStringList{"鳥", "梅"}));
}

TEST_F(FindBarTest, WholeWordTreeSearchTestsEachFileInTheWindowsEditor) {
    gui::CFindBar& bar = OpenBarOn("梅干しの話");
    bar.whole_word->setChecked(true);
    bar.find_text->setEditText("梅");
    bar.OnSearchTree();
    // 梅 stands alone in 梅の木 but is only part of the kanji run 梅干 here. The editor is left
    // on the last file tested.
    QTreeWidgetItem* root = Root(*child_);
    EXPECT_EQ(Labels(root), QStringList{"第一章　朝"});
    EXPECT_EQ(child_->Document().PathName(), dir / "sample/あとがき.txt");
}

TEST_F(FindBarTest, ClosingStoresHistoriesAndTheCheckBoxes) {
    gui::CFindBar* bar = &OpenBarOn("庭の梅");
    bar->find_text->setEditText("梅");
    bar->match_case->setChecked(true);
    bar->OnOK();
    bar->replace_text->setEditText("桜");
    bar->OnReplaceAll();
    bar->replace_text->setEditText("typed, never used");
    bar->person_name->setChecked(true);
    bar->close_bar->click();
    QApplication::processEvents();
    EXPECT_EQ(child_->FindBar(), nullptr);
    EXPECT_EQ(ValueLines(dir / "sample/find.flc"), std::vector<std::string>{"梅"});
    EXPECT_EQ(ValueLines(dir / "sample/replace.flc"), std::vector<std::string>{"桜"});
    CFileSystem& book = child_->Document().FileSystem();
    EXPECT_TRUE(book.Options().m_bFindCase);
    EXPECT_TRUE(book.Options().m_bFindName);

    // A bar opened again shows what the last one kept.
    frame->RunCommand(gui::kCmdSearch);
    bar = child_->FindBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->match_case->isChecked());
    EXPECT_EQ(Entries(bar->replace_text), QStringList{"桜"});

    // Closing the book window takes the bar with it, histories stored; the check box changed
    // since the last button is not in the options the window saved first.
    bar->find_text->setEditText("庭");
    ui.ExpectQuestion(true);
    bar->OnOK();
    bar->whole_word->setChecked(true);
    QPointer<gui::CFindBar> watch(bar);
    ui.ExpectQuestion(false);  // the replaced file is not saved
    qobject_cast<QMdiSubWindow*>(child_->parentWidget())->close();
    QApplication::processEvents();
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(ValueLines(dir / "sample/find.flc"), (std::vector<std::string>{"庭", "梅"}));
    const std::vector<std::string> options = ValueLines(dir / "sample/options.flc");
    ASSERT_GE(options.size(), 10u);
    EXPECT_EQ(options[6], "true");   // Case
    EXPECT_EQ(options[7], "false");  // Word
    EXPECT_EQ(options[8], "true");   // 人名
}

}  // namespace
}  // namespace folix
