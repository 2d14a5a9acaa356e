#pragma once

#include <QDialog>

class QLineEdit;

namespace folix {
class Ui;
}  // namespace folix

namespace folix::gui {

// "印刷余白（ミリ）": the four print margins in millimetres. OK takes the fields only when each
// is a whole number from 0 to 200; otherwise it says so, puts the caret in the field and stays
// open.
class CMarginsDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 163 };

    CMarginsDlg(Ui& ui, QWidget* parent = nullptr);

    // Fields from the members before the dialog shows.
    void ShowMembers();
    void accept() override;

    int left_mm = 0;
    int right_mm = 0;
    int top_mm = 0;
    int bottom_mm = 0;

    QLineEdit* left;    // 1044
    QLineEdit* right;   // 1045
    QLineEdit* top;     // 1064
    QLineEdit* bottom;  // 1065

private:
    Ui& ui_;
};

}  // namespace folix::gui
