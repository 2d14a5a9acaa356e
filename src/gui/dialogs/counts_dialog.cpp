#include "gui/dialogs/counts_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/widgets/dialog_buttons.h"
#include "platform/ui.h"

namespace folix::gui {
namespace {

constexpr char kBadGoalMessage[] = "目標は 100000字 か 100枚 のように書きます。";
constexpr char kBadDeadlineMessage[] = "締切は 2027-03-31 のような日付で書きます。";

// The grids prizes ask for, the 400-character sheet first.
const GridSize kPresetGrids[] = {{20, 20}, {20, 10}, {40, 30}, {40, 34}, {42, 34}};

QString GridText(const GridSize& grid) {
    return QString("%1×%2").arg(grid.cells).arg(grid.lines);
}

QTableWidgetItem* NumberItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

CCountsDlg::CCountsDlg(Ui& ui, CountSettings& settings, Counter counter, QWidget* parent)
    : QDialog(parent), ui_(ui), settings_(settings), counter_(std::move(counter)) {
    setWindowTitle("文字数");
    grid = new QComboBox(this);
    bool listed = false;
    for (const GridSize& preset : kPresetGrids) {
        grid->addItem(GridText(preset), QString::fromStdString(FormatGrid(preset)));
        listed = listed || preset == settings_.grid;
    }
    if (!listed) {
        grid->addItem(GridText(settings_.grid), QString::fromStdString(FormatGrid(settings_.grid)));
    }
    grid->setCurrentIndex(grid->findData(QString::fromStdString(FormatGrid(settings_.grid))));
    table = new QTableWidget(0, 4, this);
    table->setHorizontalHeaderLabels({"名前", "文字数", "行", "枚"});
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    total = new QLabel(this);
    goal = new QLineEdit(QString::fromStdString(FormatGoal(settings_.goal_unit, settings_.goal)),
                         this);
    goal->setPlaceholderText("100000字 / 100枚");
    deadline = new QLineEdit(QString::fromStdString(settings_.deadline), this);
    deadline->setPlaceholderText("2027-03-31");
    connect(grid, &QComboBox::currentIndexChanged, this, &CCountsDlg::ShowCounts);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("原稿用紙", this));
    top->addWidget(grid);
    top->addStretch();
    auto* goals = new QHBoxLayout;
    goals->addWidget(new QLabel("目標", this));
    goals->addWidget(goal);
    goals->addWidget(new QLabel("締切", this));
    goals->addWidget(deadline);
    goals->addStretch();
    goals->addWidget(MakeOkCancelButtons(this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table);
    layout->addWidget(total);
    layout->addLayout(goals);
    resize(560, 480);
    ShowCounts();
}

GridSize CCountsDlg::ChosenGrid() const {
    return ParseGrid(grid->currentData().toString().toStdString()).value_or(settings_.grid);
}

void CCountsDlg::ShowCounts() {
    const GridSize chosen = ChosenGrid();
    const BookCount count = counter_(chosen);
    table->setRowCount(static_cast<int>(count.in_tree_order.size()));
    int row = 0;
    for (const CountRow& entry : count.in_tree_order) {
        table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(entry.path)));
        table->setItem(row, 1, NumberItem(QString::number(entry.length.characters)));
        table->setItem(row, 2, NumberItem(QString::number(entry.length.grid_lines)));
        table->setItem(
            row, 3,
            NumberItem(QString::fromStdString(SheetsText(entry.length.grid_lines, chosen.lines))));
        ++row;
    }
    total->setText(
        QString("合計　%1字　%2行　%3枚（換算 %4枚）")
            .arg(count.total.characters)
            .arg(count.total.grid_lines)
            .arg(QString::fromStdString(SheetsText(count.total.grid_lines, chosen.lines)))
            .arg(SheetsBegun(count.total.grid_lines, chosen.lines)));
}

void CCountsDlg::accept() {
    GoalUnit unit = GoalUnit::kNone;
    uint64_t value = 0;
    if (!ParseGoal(goal->text().trimmed().toStdString(), unit, value)) {
        ui_.ShowMessage(kBadGoalMessage);
        return;
    }
    const std::string day = deadline->text().trimmed().toStdString();
    if (!IsDeadline(day)) {
        ui_.ShowMessage(kBadDeadlineMessage);
        return;
    }
    settings_.grid = ChosenGrid();
    settings_.goal_unit = unit;
    settings_.goal = value;
    settings_.deadline = day;
    QDialog::accept();
}

}  // namespace folix::gui
