#include "gui/gui_fixture.h"

#include "book/contents_file.h"
#include "book/recent_files.h"
#include "gui/app/commands.h"

namespace folix {
namespace {

using gui::CChildFrame;
using gui::CLeftView;
using testing::Exists;
using testing::GuiFixture;
using Names = std::vector<std::string>;

class TreeEditingTest : public testing::TreeFixture {};

TEST_F(TreeEditingTest, RightClickOnEmptySpaceShowsNothing) {
    EXPECT_EQ(RightClick(QPoint(20, child->Tree().viewport()->height() - 5)), nullptr);
}

TEST_F(TreeEditingTest, DeleteActsOnTheRightClickedItemNotTheSelection) {
    QTreeWidgetItem* first = Find(*child, root, "はじめに");
    child->Tree().setCurrentItem(first);
    ui.ExpectQuestion(true);
    Choose(RightClick(At(Find(*child, root, "あとがき"))), "削除");
    EXPECT_EQ(ui.questions, Names{"「あとがき.txt」をごみ箱に移動しますか？"});
    EXPECT_FALSE(Exists(dir / "sample/あとがき.txt"));
    EXPECT_EQ(Labels(root), (QStringList{"はじめに", "第一章　朝", "第二章　雨"}));
    EXPECT_EQ(child->Tree().currentItem()->text(0), "はじめに");
}

TEST_F(TreeEditingTest, AddedFileComesRightBelowTheRightClickedOne) {
    Choose(RightClick(At(Find(*child, root, "はじめに"))), "ファイル追加");
    EXPECT_EQ(Labels(root),
              (QStringList{"はじめに", "空白", "第一章　朝", "第二章　雨", "あとがき"}));
    EXPECT_TRUE(Exists(dir / "sample/空白.txt"));
}

TEST_F(TreeEditingTest, DraggingReordersAndMovesAcrossFolders) {
    QTreeWidgetItem* chapter = Find(*child, root, "第一章　朝");
    child->Tree().Expand(CLeftView::ToItem(chapter), true);
    // 梅の木, 鳥の声, 縁側にて: the third onto the first.
    Drag(Find(*child, chapter, "縁側にて"), Find(*child, chapter, "梅の木"));
    EXPECT_EQ(Labels(chapter), (QStringList{"縁側にて", "梅の木", "鳥の声"}));

    // Across folders in multiple-folder mode, where clicking an item closes no other branch.
    child->SetActivePane(gui::Pane::kTree);
    frame->RunCommand(gui::kCmdMultiFolder);
    Drag(Find(*child, root, "あとがき"), Find(*child, chapter, "鳥の声"));
    EXPECT_TRUE(Exists(dir / "sample/第一章　朝/あとがき.txt"));
    EXPECT_EQ(Labels(chapter), (QStringList{"縁側にて", "梅の木", "あとがき", "鳥の声"}));
    EXPECT_EQ(Labels(root), (QStringList{"はじめに", "第一章　朝", "第二章　雨"}));
    EXPECT_EQ(child->Tree().GetDropHighlightItem(), kNoItem);
}

// A drag starts from any row without opening it; after every tree edit the highlight is on the
// file the editor holds; what the tree makes is ready to be named, on the book's own item too.
TEST_F(TreeEditingTest, TheHighlightFollowsTheEditorsFileAndNewItemsAreNamedAtOnce) {
    const auto current_path = [this] {
        return child->Document().FileSystem().Tree().ItemPath(
            CLeftView::ToItem(child->Tree().currentItem()));
    };
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(Find(*child, root, "はじめに")));
    ASSERT_EQ(child->Document().PathName(), dir / "sample/はじめに.txt");
    Drag(Find(*child, root, "あとがき"), Find(*child, root, "はじめに"));
    EXPECT_EQ(Labels(root), (QStringList{"あとがき", "はじめに", "第一章　朝", "第二章　雨"}));
    EXPECT_EQ(child->Document().PathName(), dir / "sample/はじめに.txt");
    EXPECT_EQ(current_path(), child->Document().PathName());

    QTreeWidgetItem* chapter = Find(*child, root, "第一章　朝");
    Drag(Find(*child, root, "はじめに"), Find(*child, chapter, "梅の木"));
    EXPECT_EQ(child->Document().PathName(), dir / "sample/第一章　朝/はじめに.txt");
    EXPECT_EQ(current_path(), child->Document().PathName());
    EXPECT_TRUE(ui.questions.empty());

    Choose(RightClick(At(root)), "ファイル追加");
    auto* name = child->Tree().findChild<QLineEdit*>();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "空白");
    name->setText("序章");
    QTest::keyClick(name, Qt::Key_Return);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_TRUE(Exists(dir / "sample/序章.txt"));
    EXPECT_FALSE(Exists(dir / "sample/空白.txt"));
    EXPECT_EQ(Labels(root).front(), "序章");
    EXPECT_EQ(child->Document().PathName(), dir / "sample/序章.txt");
    EXPECT_EQ(current_path(), child->Document().PathName());
}

TEST_F(TreeEditingTest, DropsOntoTheRootOrIntoItsOwnBranchOnlyBeep) {
    QTreeWidgetItem* chapter = Find(*child, root, "第一章　朝");
    child->Tree().Expand(CLeftView::ToItem(chapter), true);
    Drag(chapter, Find(*child, chapter, "梅の木"));
    Drag(Find(*child, root, "はじめに"), root);
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(Labels(root), (QStringList{"はじめに", "第一章　朝", "第二章　雨", "あとがき"}));
}

TEST_F(TreeEditingTest, RenamesAreRefusedOrCarriedToDiskOrderAndTree) {
    Rename(Find(*child, root, "はじめに"), "序.章");
    EXPECT_EQ(ui.notices, Names{"次の半角文字は使えません。 \"\\|:*<.>/?"});
    EXPECT_TRUE(Exists(dir / "sample/はじめに.txt"));

    Rename(Find(*child, root, "はじめに"), "序章");
    EXPECT_TRUE(Exists(dir / "sample/序章.txt"));
    EXPECT_EQ(Labels(root).first(), "序章");
    EXPECT_EQ(child->Document().PathName(), dir / "sample/序章.txt");
    testing::ScriptedUi check;
    ControlFile contents;
    ASSERT_TRUE(ReadContents(check, dir / "sample", contents));
    EXPECT_EQ(contents.lines.front(), "l序章.txt");
}

TEST_F(TreeEditingTest, RenamingTheBookCarriesItsFileTitleAndRecentEntry) {
    Rename(root, "庭の本");
    EXPECT_TRUE(Exists(dir / "庭の本/庭の本.flx"));
    EXPECT_EQ(LoadRecentFiles(profile).front(), dir / "庭の本/庭の本.flx");
    EXPECT_EQ(child->Title(), "庭の本");
    EXPECT_TRUE(child->Editor().isReadOnly());
}

TEST_F(TreeEditingTest, FolderModesSingleClosesOthersMultipleKeepsThemOpen) {
    QTreeWidgetItem* first = Find(*child, root, "第一章　朝");
    QTreeWidgetItem* second = Find(*child, root, "第二章　雨");
    child->Tree().setCurrentItem(first);
    child->Tree().setCurrentItem(second);
    EXPECT_FALSE(first->isExpanded());
    EXPECT_TRUE(second->isExpanded());

    child->SetActivePane(gui::Pane::kTree);
    frame->RunCommand(gui::kCmdMultiFolder);
    EXPECT_TRUE(frame->Action(gui::kCmdMultiFolder)->isChecked());
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, At(first));
    EXPECT_TRUE(first->isExpanded());
    EXPECT_TRUE(second->isExpanded());
}

TEST_F(TreeEditingTest, TreeWidthAndModeComeBackWhenTheBookReopens) {
    child->SetActivePane(gui::Pane::kTree);
    frame->RunCommand(gui::kCmdMultiFolder);
    child->Document().FileSystem().Options().m_nTreeWidth = 240;
    child->CloseDocument();
    gui::CChildFrame& again = OpenSample();
    EXPECT_TRUE(again.Document().FileSystem().Options().m_bMultiFolder);
    EXPECT_EQ(again.Document().FileSystem().Options().m_nTreeWidth, 240);
    EXPECT_FALSE(again.Tree().HasSingleExpandStyle());
}

}  // namespace
}  // namespace folix
