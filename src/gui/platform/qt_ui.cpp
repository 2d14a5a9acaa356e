#include "gui/platform/qt_ui.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/widgets/message_dialog.h"

namespace folix::gui {
namespace {

class OverrideCursor : public Ui::WaitCursor {
public:
    OverrideCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~OverrideCursor() override { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void QtUi::ShowMessage(const std::string& text) {
    QMessageBox::information(parent_, "folix", QString::fromStdString(text));
}

bool QtUi::AskYesNo(const std::string& text) {
    return QMessageBox::question(parent_, "folix", QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Ui::Answer QtUi::AskYesNoCancel(const std::string& text) {
    switch (QMessageBox::question(parent_, "folix", QString::fromStdString(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Answer::kYes;
        case QMessageBox::No:
            return Answer::kNo;
        default:
            return Answer::kCancel;
    }
}

void QtUi::ShowNotice(const std::string& text) {
    QApplication::beep();
    CMessageDlg::Show(QString::fromStdString(text), parent_);
}

void QtUi::Beep() {
    QApplication::beep();
}

std::unique_ptr<Ui::WaitCursor> QtUi::BeginWait() {
    return std::make_unique<OverrideCursor>();
}

}  // namespace folix::gui
