#pragma once

#include <QDialog>
#include <string>

#include "epub/epub_settings.h"

class QLineEdit;
class QRadioButton;

namespace folix {
class Ui;
}  // namespace folix

namespace folix::gui {

// "電子書籍作成": the e-book's title, author, language, direction and cover before it is
// written. OK takes the fields only when they pass the checks of the settings; otherwise the
// message says which value is wrong and the dialog stays open.
class EpubDialog : public QDialog {
    Q_OBJECT
public:
    // The fields start from the settings; an empty title shows the book's name and a direction
    // left to the book shows the book's own.
    EpubDialog(Ui& ui, const EpubSettings& settings, const std::string& root_path,
               bool book_vertical, QWidget* parent = nullptr);

    void accept() override;

    // The settings with what OK took.
    const EpubSettings& settings() const { return settings_; }

    // Takes the file the chooser gave as the cover: only a file of the book folder itself.
    void TakeCover(const std::string& path);

    QLineEdit* title;
    QLineEdit* author;
    QLineEdit* language;
    QRadioButton* vertical;
    QRadioButton* horizontal;
    QLineEdit* cover;

private:
    // The file chooser opens in the book folder; only a file there can be the cover.
    void ChooseCover();
    EpubChoices Choices() const;

    Ui& ui_;
    EpubSettings settings_;
    std::string root_path_;
    std::string book_name_;
    bool book_vertical_;
};

}  // namespace folix::gui
