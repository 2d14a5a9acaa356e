#include "gui/dialogs/epub_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "book/path_parts.h"
#include "gui/widgets/dialog_buttons.h"
#include "platform/ui.h"

namespace folix::gui {
namespace {

constexpr char kCoverOutsideMessage[] =
    "表紙の画像は本のフォルダにあるファイルから選んでください。";

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

EpubDialog::EpubDialog(Ui& ui, const EpubSettings& settings, const std::string& root_path,
                       bool book_vertical, QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      settings_(settings),
      root_path_(root_path),
      book_name_(TitlePart(root_path)),
      book_vertical_(book_vertical) {
    setWindowTitle("電子書籍作成");
    title = new QLineEdit(Text(settings.title.empty() ? book_name_ : settings.title), this);
    author = new QLineEdit(Text(settings.author), this);
    language = new QLineEdit(Text(settings.language), this);
    vertical = new QRadioButton("縦書き", this);
    horizontal = new QRadioButton("横書き", this);
    (IsVerticalEpub(settings, book_vertical) ? vertical : horizontal)->setChecked(true);
    cover = new QLineEdit(Text(settings.cover), this);
    auto* choose = new QPushButton("参照...", this);
    connect(choose, &QPushButton::clicked, this, &EpubDialog::ChooseCover);

    auto* direction = new QHBoxLayout;
    direction->addWidget(vertical);
    direction->addWidget(horizontal);
    auto* cover_row = new QHBoxLayout;
    cover_row->addWidget(cover);
    cover_row->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow("題名", title);
    form->addRow("著者", author);
    form->addRow("言語", language);
    form->addRow("方向", direction);
    form->addRow("表紙の画像(本のフォルダのファイル)", cover_row);
    QDialogButtonBox* buttons = MakeOkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

EpubChoices EpubDialog::Choices() const {
    EpubChoices choices;
    // The book's name shown as the title stays unstored, so the title follows a renamed folder.
    const std::string typed_title = title->text().toStdString();
    choices.title = settings_.title.empty() && typed_title == book_name_ ? "" : typed_title;
    choices.author = author->text().toStdString();
    choices.language = language->text().toStdString();
    const bool chosen_vertical = vertical->isChecked();
    choices.direction =
        settings_.direction == EpubDirection::kBook && chosen_vertical == book_vertical_
            ? EpubDirection::kBook
        : chosen_vertical ? EpubDirection::kVertical
                          : EpubDirection::kHorizontal;
    choices.cover = cover->text().toStdString();
    return choices;
}

void EpubDialog::accept() {
    EpubSettings taken = settings_;
    if (ApplyEpubChoices(ui_, taken, Choices())) {
        settings_ = taken;
        QDialog::accept();
    }
}

void EpubDialog::ChooseCover() {
    const QString chosen = QFileDialog::getOpenFileName(this, "表紙の画像", Text(root_path_),
                                                        "画像 (*.jpg *.jpeg *.png *.gif)");
    if (chosen.isEmpty()) {
        return;
    }
    TakeCover(chosen.toStdString());
}

void EpubDialog::TakeCover(const std::string& path) {
    if (ParentPath(path) != root_path_) {
        ui_.ShowMessage(kCoverOutsideMessage);
        return;
    }
    cover->setText(Text(FileNamePart(path)));
}

}  // namespace folix::gui
