#pragma once

#include <QList>
#include <QPointer>

class QMainWindow;
class QShortcut;
class QWidget;

namespace folix::gui {

class CChildFrame;

// The writing mode that leaves only the text: the menu bar, the toolbar, the status bar and the
// book's tree are hidden until the writer leaves it again, with Esc or the same command. The
// commands keep their keys meanwhile.
class FocusMode {
public:
    explicit FocusMode(QMainWindow& window);

    bool IsOn() const { return on_; }
    void Enter(CChildFrame& child);
    void Leave();

private:
    QMainWindow& window_;
    QShortcut* escape_;
    bool on_ = false;
    // What was shown before, and is shown again on leaving.
    QList<QPointer<QWidget>> hidden_;
};

}  // namespace folix::gui
