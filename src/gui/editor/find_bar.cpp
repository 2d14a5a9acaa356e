#include "gui/editor/find_bar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "gui/editor/editor_view.h"
#include "model/file_system.h"

namespace folix::gui {
namespace {

// The bar is laid out in dialog units, a quarter of the font's average letter width across and
// an eighth of its height down, so that it keeps its proportions whatever the font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetricsF metrics(font);
        x_ = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") /
             52.0 / 4.0;
        y_ = metrics.height() / 8.0;
    }
    int X(int units) const { return static_cast<int>(units * x_ + 0.5); }
    int Y(int units) const { return static_cast<int>(units * y_ + 0.5); }
    QRect Rect(int left, int top, int width, int height) const {
        return {X(left), Y(top), X(width), Y(height)};
    }

private:
    double x_;
    double y_;
};

constexpr int kBarWidth = 362;
constexpr int kBarHeight = 33;
constexpr int kComboListRows = 12;

QFont BarFont() {
    QFont font = DefaultBookFont();
    font.setPointSize(9);
    return font;
}

QComboBox* HistoryCombo(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // The bar keeps the list itself, newest first; the combo must not add or sort entries.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setDuplicatesEnabled(true);
    combo->setMaxVisibleItems(kComboListRows);
    return combo;
}

std::vector<std::string> Entries(const QComboBox* combo) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<size_t>(combo->count()));
    for (int i = 0; i < combo->count(); ++i) {
        entries.push_back(combo->itemText(i).toStdString());
    }
    return entries;
}

void ShowEntries(QComboBox* combo, const std::vector<std::string>& entries,
                 const std::string& text) {
    QSignalBlocker quiet(combo);
    combo->clear();
    for (const std::string& entry : entries) {
        combo->addItem(QString::fromStdString(entry));
    }
    combo->setEditText(QString::fromStdString(text));
}

}  // namespace

CFindBar::CFindBar(CFileSystem& book, CFolixView& editor)
    : QDialog(&editor, Qt::Tool | Qt::FramelessWindowHint), model_(book, editor.Control()) {
    setObjectName("findbar");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(BarFont());
    person_name = new QCheckBox("人名", this);
    keep_tree = new QCheckBox("残す", this);
    search_tree = new QPushButton("ツリーを検索", this);
    reset = new QPushButton("リセット", this);
    find_text = HistoryCombo(this);
    replace_text = HistoryCombo(this);
    find_next = new QPushButton("次を検索", this);
    close_bar = new QPushButton("閉じる", this);
    replace_next = new QPushButton("置換して次に", this);
    replace_all = new QPushButton("すべて置換", this);
    match_case = new QCheckBox("Case", this);
    whole_word = new QCheckBox("Word", this);
    find_next->setDefault(true);
    LayOut();

    connect(find_next, &QPushButton::clicked, this, &CFindBar::OnOK);
    connect(close_bar, &QPushButton::clicked, this, &CFindBar::OnCancel);
    connect(replace_next, &QPushButton::clicked, this, &CFindBar::OnReplaceNext);
    connect(replace_all, &QPushButton::clicked, this, &CFindBar::OnReplaceAll);
    connect(search_tree, &QPushButton::clicked, this, &CFindBar::OnSearchTree);
    connect(reset, &QPushButton::clicked, this, &CFindBar::OnReset);

    MoveToTopOfScreen();
    model_.Open();
    ShowModel();
    find_text->setFocus();
}

void CFindBar::LayOut() {
    const DialogUnits units(font());
    setFixedSize(units.X(kBarWidth), units.Y(kBarHeight));
    person_name->setGeometry(units.Rect(5, 1, 30, 15));
    keep_tree->setGeometry(units.Rect(5, 17, 30, 15));
    search_tree->setGeometry(units.Rect(40, 1, 50, 15));
    reset->setGeometry(units.Rect(40, 17, 50, 15));
    // A drop-down combo is as tall as its edit field; the rest of its height is the list's.
    for (auto [combo, top] : {std::pair{find_text, 2}, std::pair{replace_text, 18}}) {
        combo->setGeometry(units.X(95), units.Y(top), units.X(120),
                           std::min(combo->sizeHint().height(), units.Y(14)));
    }
    find_next->setGeometry(units.Rect(220, 1, 50, 15));
    close_bar->setGeometry(units.Rect(220, 17, 50, 15));
    replace_next->setGeometry(units.Rect(275, 1, 50, 15));
    replace_all->setGeometry(units.Rect(275, 17, 50, 15));
    match_case->setGeometry(units.Rect(330, 1, 30, 15));
    whole_word->setGeometry(units.Rect(330, 17, 30, 15));
}

// Centred across the screen the editor is on, its top edge on the screen's top edge.
void CFindBar::MoveToTopOfScreen() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top());
}

void CFindBar::TakeControls() {
    model_.find_text = find_text->currentText().toStdString();
    model_.replace_text = replace_text->currentText().toStdString();
    model_.match_case = match_case->isChecked();
    model_.whole_word = whole_word->isChecked();
    model_.person_name = person_name->isChecked();
    model_.keep_tree = keep_tree->isChecked();
    model_.find_history = Entries(find_text);
    model_.replace_history = Entries(replace_text);
}

void CFindBar::ShowModel() {
    ShowEntries(find_text, model_.find_history, model_.find_text);
    ShowEntries(replace_text, model_.replace_history, model_.replace_text);
    match_case->setChecked(model_.match_case);
    whole_word->setChecked(model_.whole_word);
    person_name->setChecked(model_.person_name);
    keep_tree->setChecked(model_.keep_tree);
}

void CFindBar::Run(const std::function<void()>& command) {
    if (closed_) {
        return;
    }
    TakeControls();
    command();
    ShowModel();
}

void CFindBar::OnOK() {
    Run([this] { model_.FindNext(); });
    if (landed_) {
        landed_();
    }
}

void CFindBar::OnReplaceNext() {
    Run([this] { model_.ReplaceAndFindNext(); });
    if (landed_) {
        landed_();
    }
}

void CFindBar::OnReplaceAll() {
    Run([this] { model_.ReplaceAll(); });
}

void CFindBar::OnSearchTree() {
    Run([this] { model_.SearchTree(); });
}

void CFindBar::OnReset() {
    Run([this] { model_.ResetTree(); });
}

void CFindBar::OnCancel() {
    if (closed_) {
        return;
    }
    TakeControls();
    model_.Close();
    closed_ = true;
    emit Closed();
    close();
}

void CFindBar::closeEvent(QCloseEvent* event) {
    OnCancel();
    event->accept();
}

}  // namespace folix::gui
