#pragma once

#include <QTextEdit>

#include <functional>

#include "gui/qt_editor_control.h"

class QMenu;
class QPrinter;

namespace folix::gui {

// The editor pane: one file of the book, plain or rich text, in a QTextEdit. Loading and saving
// belong to the document; the view keeps plain files plain and shows the edit menu.
class CFolixView : public QTextEdit {
    Q_OBJECT
public:
    explicit CFolixView(QWidget* parent = nullptr);

    // Shows a plain file's text in the book's default format; pasting then stays plain.
    void SetPlainFileText(const QString& text);
    // The edit menu shown where the right button was released.
    void SetPopupMenuFactory(std::function<QMenu*(QWidget*)> factory) {
        popup_factory_ = std::move(factory);
    }
    void ShowPopupMenu(const QPoint& position);
    // The view as the core's editor: the find bar, the tree search and the program's own edits
    // work through it.
    EditorControl& Control() { return control_; }

    // The text on the printer within the control's print margins, in lines or, for a book in
    // vertical writing, in columns; in preview with the margin guides. Nothing of the editor
    // changes for the job.
    bool PrintDocument(QPrinter& printer, bool preview, bool vertical = false);

    // The book's longest run of half-width digits set upright in vertical writing.
    int UprightDigits() const { return upright_digits_; }
    void SetUprightDigits(int digits) { upright_digits_ = digits; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    std::function<QMenu*(QWidget*)> popup_factory_;
    QtEditorControl control_{*this};
    int upright_digits_ = 2;
};

// The face asked for by name, so the desktop shows Japanese shapes, not the Chinese ones the
// locale might pick.
QFont DefaultBookFont();

}  // namespace folix::gui
