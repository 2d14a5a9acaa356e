#include "gui/app/focus_mode.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include "gui/app/child_frame.h"
#include "gui/book/tree_view.h"

namespace folix::gui {

FocusMode::FocusMode(QMainWindow& window)
    : window_(window), escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &window)) {
    escape_->setEnabled(false);
    QObject::connect(escape_, &QShortcut::activated, &window, [this] { Leave(); });
}

void FocusMode::Enter(CChildFrame& child) {
    if (on_) {
        return;
    }
    on_ = true;
    QList<QWidget*> around{window_.menuBar(), window_.statusBar(), &child.Tree()};
    for (QToolBar* bar : window_.findChildren<QToolBar*>()) {
        around.append(bar);
    }
    for (QWidget* widget : around) {
        if (widget->isVisible()) {
            widget->hide();
            hidden_.append(widget);
        }
    }
    escape_->setEnabled(true);
    child.ShownEditor().setFocus();
}

void FocusMode::Leave() {
    if (!on_) {
        return;
    }
    on_ = false;
    escape_->setEnabled(false);
    for (const QPointer<QWidget>& widget : hidden_) {
        if (widget) {
            widget->show();
        }
    }
    hidden_.clear();
}

}  // namespace folix::gui
