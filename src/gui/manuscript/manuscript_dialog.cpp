#include "gui/manuscript/manuscript_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <iterator>

#include "count/count_settings.h"
#include "gui/widgets/dialog_buttons.h"

namespace folix::gui {
namespace {

struct Preset {
    const char* name;
    GridSize grid;
    const char* orientation;
    bool ruled;
};

constexpr Preset kPresets[] = {
    {"原稿用紙 20×20 (罫線)", {20, 20}, "", true},
    {"40×30 (A4横)", {40, 30}, "landscape", false},
    {"40×34 (A4横)", {40, 34}, "landscape", false},
    {"42×34 (A4横)", {42, 34}, "landscape", false},
};
constexpr int kCustom = static_cast<int>(std::size(kPresets));
constexpr const char* kPapers[] = {"A4", "B5", "A5", "B4"};
constexpr const char* kOrientations[] = {"", "landscape", "portrait"};

int PresetOf(const ManuscriptSettings& settings, const GridSize& grid) {
    for (int i = 0; i < kCustom; ++i) {
        if (kPresets[i].grid == grid && settings.ruled == kPresets[i].ruled &&
            settings.orientation == kPresets[i].orientation && settings.paper == "A4") {
            return i;
        }
    }
    return kCustom;
}

}  // namespace

CManuscriptDlg::CManuscriptDlg(const ManuscriptSettings& chosen, const GridSize& book_grid,
                               QWidget* parent)
    : QDialog(parent), settings(chosen) {
    setObjectName("manuscriptDialog");
    setWindowTitle("原稿作成");
    const GridSize grid = settings.grid.value_or(book_grid);

    preset = new QComboBox(this);
    for (const Preset& p : kPresets) {
        preset->addItem(p.name);
    }
    preset->addItem("指定");
    cells = new QSpinBox(this);
    lines = new QSpinBox(this);
    for (QSpinBox* box : {cells, lines}) {
        box->setRange(CountSettings::kMinGrid, CountSettings::kMaxGrid);
    }
    cells->setValue(grid.cells);
    lines->setValue(grid.lines);
    paper = new QComboBox(this);
    for (const char* name : kPapers) {
        paper->addItem(name);
    }
    paper->setCurrentText(QString::fromStdString(settings.paper));
    orientation = new QComboBox(this);
    orientation->addItems({"升目で決める", "横", "縦"});
    for (int i = 0; i < 3; ++i) {
        if (settings.orientation == kOrientations[i]) {
            orientation->setCurrentIndex(i);
        }
    }
    horizontal = new QCheckBox("横書き", this);
    horizontal->setChecked(settings.horizontal);
    ruled = new QCheckBox("升目の線を引く", this);
    ruled->setChecked(settings.ruled);
    title_page = new QCheckBox("表紙を付ける", this);
    title_page->setChecked(settings.title_page);
    title = new QLineEdit(QString::fromStdString(settings.title), this);
    title->setPlaceholderText("本のフォルダ名");
    author = new QLineEdit(QString::fromStdString(settings.author), this);
    preset->setCurrentIndex(PresetOf(settings, grid));
    connect(preset, &QComboBox::activated, this, &CManuscriptDlg::ApplyPreset);
    const auto custom = [this] { preset->setCurrentIndex(kCustom); };
    connect(cells, &QSpinBox::valueChanged, this, custom);
    connect(lines, &QSpinBox::valueChanged, this, custom);

    auto* size = new QHBoxLayout;
    size->addWidget(cells);
    size->addWidget(new QLabel("字 ×", this));
    size->addWidget(lines);
    size->addWidget(new QLabel("行", this));
    auto* form = new QFormLayout;
    form->addRow("升目", preset);
    form->addRow("", size);
    form->addRow("用紙", paper);
    form->addRow("向き", orientation);
    form->addRow("", horizontal);
    form->addRow("", ruled);
    form->addRow("", title_page);
    form->addRow("題名", title);
    form->addRow("著者", author);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancelButtons(this));
}

void CManuscriptDlg::ApplyPreset(int index) {
    if (index < 0 || index >= kCustom) {
        return;
    }
    const Preset& p = kPresets[index];
    const QSignalBlocker block_cells(cells);
    const QSignalBlocker block_lines(lines);
    cells->setValue(p.grid.cells);
    lines->setValue(p.grid.lines);
    paper->setCurrentIndex(0);
    for (int i = 0; i < 3; ++i) {
        if (std::string(p.orientation) == kOrientations[i]) {
            orientation->setCurrentIndex(i);
        }
    }
    ruled->setChecked(p.ruled);
    preset->setCurrentIndex(index);
}

void CManuscriptDlg::accept() {
    settings.grid = GridSize{cells->value(), lines->value()};
    settings.paper = paper->currentText().toStdString();
    settings.orientation = kOrientations[std::max(0, orientation->currentIndex())];
    settings.horizontal = horizontal->isChecked();
    settings.ruled = ruled->isChecked();
    settings.title_page = title_page->isChecked();
    // A line end or other control character would break the control file's lines.
    const auto single_line = [](const QString& text) {
        QString line = text;
        for (QChar& c : line) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
                c = QChar(' ');
            }
        }
        return line.trimmed().toStdString();
    };
    settings.title = single_line(title->text());
    settings.author = single_line(author->text());
    QDialog::accept();
}

}  // namespace folix::gui
