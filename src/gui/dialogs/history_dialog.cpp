#include "gui/dialogs/history_dialog.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "book/line_ends.h"
#include "book/text_encoding.h"
#include "history/text_diff.h"
#include "history/version_length.h"

namespace folix::gui {
namespace {

// A version's bytes as text with LF line ends, as the editor holds it.
std::string EditorTextOf(const std::string& bytes) {
    return ReplaceLineEnds(DecodeText(bytes).text, "\n");
}

QString VersionLine(const FileVersion& version, uint64_t characters, int64_t change) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(version.time);
    QString line =
        when.toString("yyyy-MM-dd HH:mm") + "　" +
        QString::fromUtf8(VersionCauseLabel(version.cause).data(),
                          static_cast<qsizetype>(VersionCauseLabel(version.cause).size())) +
        "　" + QString::number(characters) + "字";
    if (change != 0) {
        line += QString("（%1%2）").arg(change > 0 ? "+" : "").arg(change);
    }
    return line;
}

}  // namespace

CHistoryDlg::CHistoryDlg(HistoryStore& store, std::vector<FileVersion> versions,
                         std::string current, bool restorable, QWidget* parent)
    : QDialog(parent), store_(store), versions_(std::move(versions)), current_(std::move(current)) {
    setWindowTitle("履歴");
    list = new QListWidget(this);
    view = new QTextEdit(this);
    view->setReadOnly(true);
    restore = new QPushButton("復元", this);
    restore->setEnabled(restorable);
    auto* close = new QPushButton("閉じる", this);
    connect(restore, &QPushButton::clicked, this, &CHistoryDlg::Restore);
    connect(close, &QPushButton::clicked, this, &CHistoryDlg::reject);

    // Oldest first from the store, so each version's change is against the one before it.
    std::vector<uint64_t> characters;
    for (const FileVersion& version : versions_) {
        const std::optional<std::string> bytes = store_.Bytes(version);
        characters.push_back(bytes ? VersionCharacters(*bytes) : 0);
    }
    std::vector<QString> lines;
    for (size_t i = 0; i < versions_.size(); ++i) {
        const int64_t change =
            i == 0 ? 0
                   : static_cast<int64_t>(characters[i]) - static_cast<int64_t>(characters[i - 1]);
        lines.push_back(VersionLine(versions_[i], characters[i], change));
    }
    std::reverse(versions_.begin(), versions_.end());
    std::reverse(lines.begin(), lines.end());
    for (const QString& line : lines) {
        list->addItem(line);
    }
    connect(list, &QListWidget::currentRowChanged, this, &CHistoryDlg::ShowChosen);

    auto* panes = new QHBoxLayout;
    panes->addWidget(list, 2);
    panes->addWidget(view, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restore);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes);
    layout->addLayout(buttons);
    resize(760, 480);
    if (!versions_.empty()) {
        list->setCurrentRow(0);
    }
}

std::string CHistoryDlg::TextOf(const FileVersion& version) {
    const std::optional<std::string> bytes = store_.Bytes(version);
    return bytes ? EditorTextOf(*bytes) : std::string();
}

// The version with what differs from the editor's text marked: what only the version has on a
// red ground, what only the editor has in green, struck through.
void CHistoryDlg::ShowChosen() {
    view->clear();
    const int row = list->currentRow();
    if (row < 0 || row >= static_cast<int>(versions_.size())) {
        return;
    }
    QTextCursor cursor(view->document());
    QTextCharFormat same;
    QTextCharFormat only_version;
    only_version.setBackground(QColor(255, 205, 205));
    QTextCharFormat only_editor;
    only_editor.setForeground(QColor(0, 120, 0));
    only_editor.setFontStrikeOut(true);
    for (const DiffPiece& piece :
         DiffTexts(TextOf(versions_[static_cast<size_t>(row)]), current_)) {
        const QTextCharFormat& format = piece.kind == DiffPiece::Kind::kSame      ? same
                                        : piece.kind == DiffPiece::Kind::kRemoved ? only_version
                                                                                  : only_editor;
        cursor.insertText(QString::fromStdString(piece.text), format);
    }
    view->moveCursor(QTextCursor::Start);
}

void CHistoryDlg::Restore() {
    const int row = list->currentRow();
    if (row < 0 || row >= static_cast<int>(versions_.size())) {
        return;
    }
    restored_ = TextOf(versions_[static_cast<size_t>(row)]);
    accept();
}

}  // namespace folix::gui
