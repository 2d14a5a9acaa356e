#pragma once

#include <QDialog>

namespace folix::gui {

// The notice window: modeless, centred on the screen, the text in a read-only box and one
// button "了解". Each notice is a window of its own and goes when its button is pressed.
class CMessageDlg : public QDialog {
    Q_OBJECT
public:
    CMessageDlg(const QString& message, QWidget* parent);

    // Shows a new notice and returns at once.
    static CMessageDlg* Show(const QString& message, QWidget* parent);
};

}  // namespace folix::gui
