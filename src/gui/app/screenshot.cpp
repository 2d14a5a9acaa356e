#include "gui/app/screenshot.h"

#include <QApplication>
#include <QTimer>

#include "book/book_tree.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/book/folix_doc.h"
#include "gui/book/tree_view.h"

namespace folix::gui {
namespace {

// The first text file in display order, opening folders on the way as a click would.
TreeItem FirstTextItem(CLeftView& tree, const BookTree& book, TreeItem folder) {
    tree.Expand(folder, true);
    for (TreeItem item = tree.GetChildItem(folder); item != kNoItem;
         item = tree.GetNextSiblingItem(item)) {
        if (book.IsTextItem(item)) {
            return item;
        }
        if (book.IsFolderItem(item)) {
            if (TreeItem inner = FirstTextItem(tree, book, item); inner != kNoItem) {
                return inner;
            }
        }
    }
    return kNoItem;
}

}  // namespace

void ScheduleScreenshot(CMainFrame& frame, const QString& png_path) {
    QTimer::singleShot(500, &frame, [&frame, png_path] {
        if (CChildFrame* child = frame.ActiveChild();
            child && child->Document().FileSystem().HasTree()) {
            const BookTree& book = child->Document().FileSystem().Tree();
            TreeItem root = book.m_hRootItem;
            child->Tree().SelectItem(root);
            if (TreeItem first = FirstTextItem(child->Tree(), book, root); first != kNoItem) {
                child->Tree().SelectItem(first);
            }
        }
        QTimer::singleShot(500, &frame, [&frame, png_path] {
            frame.UpdateCommandStates();
            frame.grab().save(png_path);
            QApplication::quit();
        });
    });
}

}  // namespace folix::gui
