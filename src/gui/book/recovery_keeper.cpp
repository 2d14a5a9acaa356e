#include "gui/book/recovery_keeper.h"

#include <QTextDocument>

namespace folix::gui {

RecoveryKeeper::RecoveryKeeper(QTextDocument& text, FolderOf folder, CopyOf copy, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), copy_(std::move(copy)) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMilliseconds);
    connect(&quiet_, &QTimer::timeout, this, &RecoveryKeeper::WriteNow);
    Watch(text);
}

void RecoveryKeeper::Watch(QTextDocument& text) {
    disconnect(changed_);
    disconnect(saved_);
    text_ = &text;
    // Every keystroke puts the copy off until the writer pauses.
    changed_ = connect(text_, &QTextDocument::contentsChanged, this, [this] {
        if (text_->isModified()) {
            quiet_.start();
        }
    });
    saved_ = connect(text_, &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (!modified) {
            Discard();
        }
    });
}

// A copy that cannot be written is tried again at the next pause; the writer hears of a full or
// read-only disk from the save itself, which the copy never stands in for.
void RecoveryKeeper::WriteNow() {
    quiet_.stop();
    if (!text_->isModified()) {
        return;
    }
    const std::optional<RecoveryCopy> copy = copy_();
    if (copy && WriteRecoveryCopy(folder_(), *copy) == 0) {
        written_ = true;
    }
}

void RecoveryKeeper::Discard() {
    quiet_.stop();
    if (written_) {
        RemoveRecoveryCopy(folder_());
        written_ = false;
    }
}

}  // namespace folix::gui
