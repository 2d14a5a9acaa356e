#pragma once

#include <QObject>
#include <QTimer>

namespace folix::gui {

class CFolixDoc;
class CFolixView;
class CLeftView;

// Keeps where the writer is in the book, the file in the editor and its caret, in the profile:
// as a file opens, a moment after the caret comes to rest and as the window closes. The next
// open of the book, after a quit or a crash, starts there.
class PlaceKeeper : public QObject {
public:
    PlaceKeeper(CFolixDoc& document, CFolixView& editor, CLeftView& tree,
                QObject* parent = nullptr);

    // Opens the file kept for the book through the tree, the caret where it was; false when
    // nothing is kept or the file is no longer in the book.
    bool Restore();
    void KeepNow();

private:
    CFolixDoc& document_;
    CFolixView& editor_;
    CLeftView& tree_;
    QTimer rest_;
};

inline constexpr int kCaretRestMs = 1500;

}  // namespace folix::gui
