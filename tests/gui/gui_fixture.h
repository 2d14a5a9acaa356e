#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <filesystem>
#include <memory>

#include "gui/child_frame.h"
#include "gui/editor_view.h"
#include "gui/folix_doc.h"
#include "gui/main_frame.h"
#include "gui/tree_view.h"
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
        return true;
    }
    std::vector<std::string> opened;
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

    gui::CChildFrame& OpenSample() {
        EXPECT_TRUE(frame->OpenDocument(book_path));
        return *frame->ActiveChild();
    }
    // The sample open on its first page, はじめに (writable), with the editor the active pane.
    gui::CChildFrame& OpenFirstPageInEditor() {
        gui::CChildFrame& child = OpenSample();
        Select(child, Find(child, Root(child), "はじめに"));
        child.SetActivePane(gui::Pane::kEditor);
        return child;
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

}  // namespace folix::testing
