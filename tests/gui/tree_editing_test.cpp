#include "gui/gui_fixture.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "book/contents_file.h"
#include "book/recent_files.h"
#include "gui/commands.h"

namespace folix {
namespace {

using gui::CChildFrame;
using gui::CLeftView;
using testing::Exists;
using testing::GuiFixture;
using Names = std::vector<std::string>;

// The tree driven through its widget as a writer's mouse and keyboard would.
class TreeEditingTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        child = &OpenSample();
        root = Root(*child);
        child->Tree().Expand(CLeftView::ToItem(root), true);
    }
    QWidget* Viewport() { return child->Tree().viewport(); }
    QPoint At(QTreeWidgetItem* item) { return child->Tree().visualItemRect(item).center(); }
    QStringList Labels(QTreeWidgetItem* folder) {
        QStringList labels;
        for (int i = 0; i < folder->childCount(); ++i) {
            labels << folder->child(i)->text(0);
        }
        return labels;
    }
    // A right click at the point; the menu that comes up, if any.
    QMenu* RightClick(const QPoint& point) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, Viewport()->mapToGlobal(point));
        QApplication::sendEvent(Viewport(), &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    void Choose(QMenu* menu, const QString& text) {
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                action->trigger();
                menu->close();
                return;
            }
        }
        ADD_FAILURE() << "no menu entry " << text.toStdString();
    }
    void Drag(QTreeWidgetItem* from, QTreeWidgetItem* onto) {
        const QPoint start = At(from);
        QTest::mousePress(Viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(Viewport(), start + QPoint(0, 8));
        QTest::mouseMove(Viewport(), At(onto));
        QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, At(onto));
    }
    void Rename(QTreeWidgetItem* item, const QString& text) {
        child->Tree().setCurrentItem(item);
        QTest::keyClick(&child->Tree(), Qt::Key_F2);
        auto* editor = child->Tree().findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CChildFrame* child = nullptr;
    QTreeWidgetItem* root = nullptr;
};

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
