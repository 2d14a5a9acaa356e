#pragma once

#include <QStackedWidget>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>

#include "gui/editor/qt_editor_control.h"

class QAbstractScrollArea;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QTextEdit;

namespace folix::gui {

// The editor pane: one file of the book, plain or rich text. A plain file is edited in a plain
// text widget, whose layout covers only what is on screen, so a long file opens and takes keys
// quickly; an RTF file in the rich text widget. Everything else (the document, the core's
// editor, the menus, printing, the vertical view) goes through this one class and does not ask
// which widget holds the file. Loading and saving belong to the document.
class CFolixView : public QStackedWidget {
    Q_OBJECT
public:
    explicit CFolixView(QWidget* parent = nullptr);

    // Shows a plain file's text in the plain widget, in the book's default format; what is pasted
    // into it stays plain.
    void SetPlainFileText(const QString& text);
    // Brings the rich widget forward for an RTF file: the document its text replaces.
    QTextDocument& StartRichFile();
    bool HoldsRichText() const { return rich_shown_; }
    // The text widget shown now: keys, clicks and the input method go to it.
    QAbstractScrollArea& TextWidget() const;

    // The shown document and its widget's caret; the document changes when a file of the other
    // kind is loaded (DocumentSwitched).
    QTextDocument* document() const;
    QTextCursor textCursor() const;
    void setTextCursor(const QTextCursor& cursor);
    void moveCursor(QTextCursor::MoveOperation operation,
                    QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
    void ensureCursorVisible();
    QString toPlainText() const;
    void setPlainText(const QString& text);
    void insertPlainText(const QString& text);
    bool find(const QString& text, QTextDocument::FindFlags flags = {});
    bool isReadOnly() const;
    void setReadOnly(bool read_only);
    // Empties both widgets: no text, no undo, nothing modified.
    void clear();
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void selectAll();

    // The face of text without a format of its own, for both widgets: the book's font, shown at
    // the view's zoom.
    void SetDefaultFont(const QFont& font);
    const QFont& BookFont() const { return book_font_; }
    // The view's zoom, in steps of a tenth from the book's size; it changes only what the screen
    // shows, never the book's font, the file or the print.
    void Zoom(int steps);
    void ResetZoom();
    int ZoomPercent() const { return zoom_percent_; }

    // The caret (or the selection a find landed on) brought into view well inside the pane,
    // not at its very edge.
    void BringCaretIntoView();

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

signals:
    void cursorPositionChanged();
    void ZoomChanged();
    void selectionChanged();
    // The shown widget, and with it document(), changed.
    void DocumentSwitched();

protected:
    // Ctrl and the wheel zoom either widget.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowWidget(bool rich);
    void ApplyZoom();
    // Calls `action` with the shown widget, as its own type.
    template <class Action>
    decltype(auto) OnShown(Action&& action) const;
    template <class Widget>
    void ForwardSignals(Widget* widget);

    QPlainTextEdit* plain_;
    QTextEdit* rich_;
    bool rich_shown_ = false;
    std::function<QMenu*(QWidget*)> popup_factory_;
    QtEditorControl control_{*this};
    int upright_digits_ = 2;
    QFont book_font_;
    int zoom_percent_ = 100;
};

inline constexpr int kZoomStepPercent = 10;
// The wheel's notches, a fine wheel's part of one counting as one.
inline int WheelSteps(int angle_delta) {
    const int steps = angle_delta / 120;
    return steps != 0 ? steps : (angle_delta > 0) - (angle_delta < 0);
}
inline constexpr int kZoomSmallestPercent = 50;
inline constexpr int kZoomLargestPercent = 400;

// The face asked for by name, so the desktop shows Japanese shapes, not the Chinese ones the
// locale might pick.
QFont DefaultBookFont();

}  // namespace folix::gui
