#include "gui/book/place_keeper.h"

#include <algorithm>

#include "book/last_place.h"
#include "book/path_parts.h"
#include "gui/book/folix_doc.h"
#include "gui/book/tree_view.h"
#include "gui/editor/editor_view.h"
#include "history/history_keeper.h"

namespace folix::gui {

PlaceKeeper::PlaceKeeper(CFolixDoc& document, CFolixView& editor, CLeftView& tree,
                         QObject* parent)
    : QObject(parent), document_(document), editor_(editor), tree_(tree) {
    rest_.setSingleShot(true);
    rest_.setInterval(kCaretRestMs);
    connect(&rest_, &QTimer::timeout, this, &PlaceKeeper::KeepNow);
    connect(&editor_, &CFolixView::cursorPositionChanged, &rest_, qOverload<>(&QTimer::start));
    connect(&document_, &CFolixDoc::PathNameChanged, this, &PlaceKeeper::KeepNow);
}

void PlaceKeeper::KeepNow() {
    rest_.stop();
    const CFileSystem& book = document_.FileSystem();
    if (!book.HasTree()) {
        return;
    }
    const std::string relative = BookRelativePath(book.Tree().GetRootPath(), document_.PathName());
    if (relative.empty()) {
        return;  // the book file or no file: the place kept before stays
    }
    SaveLastPlace(document_.GetProfile(), book.Tree().BookFilePath(),
                  {relative, editor_.textCursor().position()});
}

bool PlaceKeeper::Restore() {
    CFileSystem& book = document_.FileSystem();
    if (!book.HasTree()) {
        return false;
    }
    const std::optional<LastPlace> place =
        LoadLastPlace(document_.GetProfile(), book.Tree().BookFilePath());
    if (!place) {
        return false;
    }
    const std::string path = JoinPath(book.Tree().GetRootPath(), place->file);
    const TreeItem item = book.RevealPath(path);
    if (item == kNoItem || !book.Tree().IsFileItem(item)) {
        return false;
    }
    tree_.setCurrentItem(CLeftView::FromItem(item));
    if (document_.PathName() != path) {
        return false;
    }
    QTextCursor caret = editor_.textCursor();
    caret.setPosition(std::clamp(place->caret, 0, editor_.document()->characterCount() - 1));
    editor_.setTextCursor(caret);
    return true;
}

}  // namespace folix::gui
