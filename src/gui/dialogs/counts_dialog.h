#pragma once

#include <QDialog>

#include <functional>

#include "count/book_count.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace folix {
class Ui;
}

namespace folix::gui {

// Command 文字数: the book's folders and files in tree order with their 文字数, lines and sheets,
// the totals and the sheets a prize counts, on the grid chosen here; the goal and its deadline.
// OK keeps the choices in settings; the caller saves them.
class CCountsDlg : public QDialog {
    Q_OBJECT
public:
    using Counter = std::function<BookCount(const GridSize&)>;
    CCountsDlg(Ui& ui, CountSettings& settings, Counter counter, QWidget* parent = nullptr);

    QComboBox* grid = nullptr;
    QTableWidget* table = nullptr;
    QLabel* total = nullptr;
    QLineEdit* goal = nullptr;
    QLineEdit* deadline = nullptr;

    void accept() override;

private:
    void ShowCounts();
    GridSize ChosenGrid() const;

    Ui& ui_;
    CountSettings& settings_;
    Counter counter_;
};

}  // namespace folix::gui
