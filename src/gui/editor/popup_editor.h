#pragma once

#include <QContextMenuEvent>

#include <functional>

namespace folix::gui {

// A text widget whose right button shows the editor pane's menu, where the button was released.
template <class Widget>
class PopupEditor : public Widget {
public:
    using ShowMenu = std::function<void(const QPoint& global_position)>;

    PopupEditor(ShowMenu show_menu, QWidget* parent)
        : Widget(parent), show_menu_(std::move(show_menu)) {
        this->setObjectName("editorText");
        this->setLineWrapMode(Widget::WidgetWidth);
        this->setReadOnly(true);
    }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override {
        show_menu_(event->globalPos());
        event->accept();
    }

private:
    ShowMenu show_menu_;
};

}  // namespace folix::gui
