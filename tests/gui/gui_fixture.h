#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <filesystem>
#include <memory>

#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/book/folix_doc.h"
#include "gui/book/tree_view.h"
#include "gui/editor/editor_view.h"
#include "support/fake_host.h"
#include "support/memory_profile.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix::testing {

// A desktop that records what it was asked to open.
class RecordingDesktop : public FolderTrashDesktop {
public:
    using FolderTrashDesktop::FolderTrashDesktop;
    bool OpenWithDefaultProgram(const std::string& path) override {
        opened.push_back(path);
        return opens;
    }
    std::vector<std::string> opened;
    bool opens = true;  // false: a desktop with no program for pages
};

// The main window on a copy of the sample book, with a scripted Ui so no box ever waits.
class GuiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "sample",
                              std::filesystem::copy_options::recursive);
        frame = std::make_unique<gui::CMainFrame>(ui, desktop, profile);
        frame->resize(1000, 700);
        frame->show();
    }
    void TearDown() override {
        frame.reset();
        QApplication::processEvents();
    }
    // The sample as it came, a fresh profile and a new main window: one row of a table after
    // another.
    void StartAgain() {
        TearDown();
        ui.messages.clear();
        ui.notices.clear();
        ui.questions.clear();
        ui.beeps = 0;
        profile = MemoryProfile();
        std::filesystem::remove_all(dir.path());
        std::filesystem::create_directories(dir.path());
        SetUp();
    }

    gui::CChildFrame& OpenSample() {
        EXPECT_TRUE(frame->OpenDocument(book_path));
        return *frame->ActiveChild();
    }
    // The sample open on its first page, はじめに (writable), with the editor the active pane.
    gui::CChildFrame& OpenFirstPageInEditor() {
        gui::CChildFrame& child = OpenSample();
        Select(child, Find(child, Root(child), "はじめに"));
        FocusEditor(child);
        return child;
    }
    // The keys go to the editor, as after a click into it.
    void FocusEditor(gui::CChildFrame& child) {
        frame->activateWindow();
        child.ShownEditor().setFocus();
        QApplication::processEvents();
        child.SetActivePane(gui::Pane::kEditor);
    }
    QTreeWidgetItem* Root(gui::CChildFrame& child) { return child.Tree().topLevelItem(0); }
    // The item with this label under the parent, opening the parent first as a click would.
    QTreeWidgetItem* Find(gui::CChildFrame& child, QTreeWidgetItem* parent, const QString& label) {
        child.Tree().Expand(gui::CLeftView::ToItem(parent), true);
        for (int i = 0; i < parent->childCount(); ++i) {
            if (parent->child(i)->text(0) == label) {
                return parent->child(i);
            }
        }
        ADD_FAILURE() << "no item " << label.toStdString();
        return nullptr;
    }
    void Select(gui::CChildFrame& child, QTreeWidgetItem* item) {
        child.Tree().setCurrentItem(item);
    }
    bool Enabled(int id) {
        frame->UpdateCommandStates();
        return frame->Action(id)->isEnabled();
    }

    TempFolder dir;
    std::string book_path = dir / "sample/sample.flx";
    ScriptedUi ui;
    RecordingDesktop desktop{dir / "trash"};
    MemoryProfile profile;
    std::unique_ptr<gui::CMainFrame> frame;
};

// The tree driven through its widget as a writer's mouse and keyboard would.
class TreeFixture : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        child = &OpenSample();
        root = Root(*child);
        child->Tree().Expand(gui::CLeftView::ToItem(root), true);
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

    gui::CChildFrame* child = nullptr;
    QTreeWidgetItem* root = nullptr;
};

}  // namespace folix::testing
