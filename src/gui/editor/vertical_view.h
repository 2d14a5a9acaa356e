#pragma once

#include <memory>
#include <utility>

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QTextCursor>

#include "gui/vertical/vertical_layout.h"

namespace folix::gui {

class CFolixView;

// The editor pane in vertical writing. It shows and edits the very QTextDocument of the
// horizontal editor, through that editor's own text cursor, so undo, saving, the modified flag
// and every command that works on the editor's selection are shared by the two views.
class VerticalView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit VerticalView(CFolixView& editor, QWidget* parent = nullptr);

    CFolixView& Editor() const { return editor_; }
    VerticalLayout& Layout();
    // Between layout coordinates and the viewport's.
    QPointF ToViewport(const QPointF& point) const;
    QPointF FromViewport(const QPointF& point) const;
    QRect CaretRectInViewport();
    void EnsureCaretVisible();
    void BringCaretIntoView();
    const QString& PreeditText() const { return preedit_; }
    // The caret blinks while the view has the focus; any movement or typing shows it at once.
    bool CaretShown() const { return caret_shown_; }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void SyncFont();
    void FollowDocument();
    void CatchUp();
    void UpdateScrollRange();
    std::pair<int, int> CaretScrollRange();
    int VisibleColumns() const;
    bool Writable() const;
    void MoveTo(QTextCursor& cursor, int position, QTextCursor::MoveMode mode);
    void PlaceCaret(const QPointF& point, QTextCursor::MoveMode mode);
    void RestartBlinking();

    CFolixView& editor_;
    // Over the editor's shown document; made anew when the editor shows another.
    std::unique_ptr<VerticalLayout> layout_;
    QMetaObject::Connection document_changed_;
    QString preedit_;
    QBasicTimer blink_;
    bool caret_shown_ = false;
    int margin_ = 16;
};

}  // namespace folix::gui
