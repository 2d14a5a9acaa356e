#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/ui.h"

namespace folix::gui {

// The core's messages as the desktop shows them: message boxes, Yes/No questions, the notice
// window, the beep and the wait cursor.
class QtUi : public Ui {
public:
    explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void ShowNotice(const std::string& text) override;
    void Beep() override;
    std::unique_ptr<WaitCursor> BeginWait() override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace folix::gui
