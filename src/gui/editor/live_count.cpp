#include "gui/editor/live_count.h"

#include <QTimer>

#include "typeset/reader_line.h"

namespace folix::gui {
namespace {

// An edit larger than this (a paste of a chapter, a file loaded) is counted whole afterwards.
constexpr int kCountLaterCharacters = 100000;

// The length of one paragraph, beside it in the document.
class ParagraphLengthData : public QTextBlockUserData {
public:
    ParagraphLengthData(std::shared_ptr<LiveCount::Totals> totals, TextLength length)
        : totals_(std::move(totals)), length_(length) {
        Add();
    }
    ~ParagraphLengthData() override { Take(); }

    void Set(TextLength length) {
        Take();
        length_ = length;
        Add();
    }
    bool CountsFor(const std::shared_ptr<LiveCount::Totals>& totals) const {
        return totals_ == totals;
    }

private:
    void Add() {
        totals_->total.characters += length_.characters;
        totals_->total.grid_lines += length_.grid_lines;
    }
    void Take() {
        totals_->total.characters -= length_.characters;
        totals_->total.grid_lines -= length_.grid_lines;
    }

    std::shared_ptr<LiveCount::Totals> totals_;
    TextLength length_;
};

}  // namespace

LiveCount::LiveCount(QObject* parent) : QObject(parent), totals_(std::make_shared<Totals>()) {}

LiveCount::~LiveCount() = default;

void LiveCount::Watch(QTextDocument* document, int cells, int upright_digits) {
    disconnect(connection_);
    // A new total: the paragraphs counted before keep the old one, which nothing reads.
    totals_ = std::make_shared<Totals>();
    document_ = document;
    cells_ = cells;
    upright_digits_ = upright_digits;
    if (document_ != nullptr) {
        connection_ =
            connect(document_, &QTextDocument::contentsChange, this, &LiveCount::OnContentsChange);
        OnContentsChange(0, 0, kCountLaterCharacters + 1);
    }
    emit Changed();
}

TextLength LiveCount::Total() const {
    return recount_pending_ ? TextLength{} : totals_->total;
}

void LiveCount::OnContentsChange(int position, int, int added) {
    if (recount_pending_) {
        return;
    }
    if (added > kCountLaterCharacters) {
        recount_pending_ = true;
        QTimer::singleShot(0, this, &LiveCount::RecountAll);
        return;
    }
    const QTextBlock last = document_->findBlock(position + added);
    for (QTextBlock block = document_->findBlock(position); block.isValid(); block = block.next()) {
        RecountBlock(block);
        if (block == last) {
            break;
        }
    }
    emit Changed();
}

void LiveCount::RecountBlock(QTextBlock block) {
    const QByteArray typed = block.text().toUtf8();
    const TextLength length = ParagraphLength(
        ReadTypedLine(std::string_view(typed.constData(), static_cast<size_t>(typed.size()))),
        cells_, upright_digits_);
    auto* data = static_cast<ParagraphLengthData*>(block.userData());
    if (data != nullptr && data->CountsFor(totals_)) {
        data->Set(length);
    } else {
        block.setUserData(new ParagraphLengthData(totals_, length));
    }
}

void LiveCount::RecountAll() {
    recount_pending_ = false;
    if (document_ == nullptr) {
        return;
    }
    for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
        RecountBlock(block);
    }
    emit Changed();
}

}  // namespace folix::gui
