#include "gui/dialogs/post_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/dialog_buttons.h"

namespace folix::gui {
namespace {

struct SiteChoice {
    const char* label;
    PostSite site;
};
constexpr SiteChoice kSites[] = {
    {"カクヨム", PostSite::kKakuyomu},
    {"小説家になろう", PostSite::kNarou},
    {"pixiv", PostSite::kPixiv},
};

}  // namespace

CPostDlg::CPostDlg(const std::vector<std::string>& episodes, QWidget* parent) : QDialog(parent) {
    setWindowTitle("投稿用に書き出す");
    site = new QComboBox(this);
    for (const SiteChoice& choice : kSites) {
        site->addItem(choice.label);
    }
    from = new QComboBox(this);
    from->addItem("最初から");
    for (const std::string& episode : episodes) {
        from->addItem(QString::fromStdString(episode));
    }
    auto* form = new QFormLayout;
    form->addRow("投稿サイト", site);
    form->addRow("書き出す最初の話", from);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancelButtons(this));
}

PostSite CPostDlg::Site() const {
    return kSites[std::max(0, site->currentIndex())].site;
}

std::string CPostDlg::From() const {
    return from->currentIndex() <= 0 ? std::string() : from->currentText().toStdString();
}

CPostNotesDlg::CPostNotesDlg(std::vector<PostNote> notes, GoTo go_to, QWidget* parent)
    : QDialog(parent), notes_(std::move(notes)), go_to_(std::move(go_to)) {
    setWindowTitle("投稿サイトで違って見えるところ");
    list = new QListWidget(this);
    for (const PostNote& note : notes_) {
        const QString place = QString::fromStdString(note.file) +
                              (note.line > 0 ? QString(":%1").arg(note.line) : QString());
        list->addItem(place + ": " + QString::fromStdString(note.message));
    }
    connect(list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const PostNote& note = notes_[static_cast<size_t>(list->row(item))];
        go_to_(note.file, note.line);
    });
    auto* close = new QPushButton("閉じる", this);
    connect(close, &QPushButton::clicked, this, &CPostNotesDlg::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel("行をダブルクリックすると、そのファイルのその行へ移ります。", this));
    layout->addWidget(list);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 360);
}

}  // namespace folix::gui
