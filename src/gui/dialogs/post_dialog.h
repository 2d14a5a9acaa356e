#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "post/episode_export.h"

class QComboBox;
class QListWidget;

namespace folix::gui {

// Command 投稿用に書き出す: the platform, and the episode to start from (the ones not yet posted).
class CPostDlg : public QDialog {
    Q_OBJECT
public:
    CPostDlg(const std::vector<std::string>& episodes, QWidget* parent = nullptr);

    PostSite Site() const;
    // The file to start from, below the book folder; empty for every episode.
    std::string From() const;

    QComboBox* site = nullptr;
    QComboBox* from = nullptr;
};

// What the platform would show otherwise than typed, one line a place: activating one goes to
// that file and line in the editor.
class CPostNotesDlg : public QDialog {
    Q_OBJECT
public:
    using GoTo = std::function<void(const std::string& file, size_t line)>;
    CPostNotesDlg(std::vector<PostNote> notes, GoTo go_to, QWidget* parent = nullptr);

    QListWidget* list = nullptr;

private:
    std::vector<PostNote> notes_;
    GoTo go_to_;
};

}  // namespace folix::gui
