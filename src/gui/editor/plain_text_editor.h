#pragma once

#include <QPlainTextEdit>

#include "gui/editor/popup_editor.h"

namespace folix::gui {

// The widget a plain file is edited in. Its layout covers only the lines on screen, and so do
// the lighter notation marks: a line is coloured when it is first painted and again after it
// changes, never the whole file at once.
class PlainTextEditor : public PopupEditor<QPlainTextEdit> {
public:
    PlainTextEditor(ShowMenu show_menu, const QWidget& colours, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void MarkNotation(QTextBlock block);

    const QWidget& colours_;
};

}  // namespace folix::gui
