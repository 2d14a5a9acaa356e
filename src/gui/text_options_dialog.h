#pragma once

#include <QDialog>

#include "book/book_options.h"

class QCheckBox;
class QLineEdit;

namespace folix::gui {

// The TEXT options: the file's extension, the string before every title, and whether the book
// may be written as TEXT at all.
class CTextOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CTextOptionsDlg(const BookOptions& options, QWidget* parent = nullptr);

    QLineEdit* extension;
    QLineEdit* head_prefix;
    QCheckBox* allow;
};

}  // namespace folix::gui
