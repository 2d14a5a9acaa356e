#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

#include "gui/app/commands.h"
#include "gui/gui_fixture.h"
#include "gui/manuscript/manuscript_dialog.h"
#include "support/run_program.h"

namespace folix {
namespace {

using testing::GuiFixture;
using testing::ReadBytes;

class ManuscriptWindow : public GuiFixture {};

// 原稿作成 in the File menu: a preset sets grid, orientation and rules, editing the grid makes it
// the writer's own; OK writes NAME.pdf beside the book with as many text pages as the count's
// sheets, keeps the choices in the book and shows them again next time.
TEST_F(ManuscriptWindow, PresetsMakeThePdfAndAreKeptInTheBook) {
    OpenSample();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<gui::CManuscriptDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->cells->value(), 20);  // the book's count grid
        emit dialog->preset->activated(0);
        EXPECT_TRUE(dialog->ruled->isChecked());
        emit dialog->preset->activated(3);
        EXPECT_EQ(dialog->cells->value(), 42);
        EXPECT_EQ(dialog->lines->value(), 34);
        EXPECT_FALSE(dialog->ruled->isChecked());
        EXPECT_EQ(dialog->orientation->currentIndex(), 1);  // landscape
        dialog->cells->setValue(41);
        EXPECT_EQ(dialog->preset->currentText(), "指定");
        emit dialog->preset->activated(2);
        dialog->author->setText("森\n鴎外");
        dialog->accept();
    });
    frame->RunCommand(gui::kCmdManuscript);
    const std::string pdf = dir / "sample.pdf";
    ASSERT_EQ(ReadBytes(pdf).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(), pdf + "を作成しました。");
    const std::string kept = ReadBytes(dir / "sample/manuscript.flc");
    EXPECT_NE(kept.find("40x34\r\nA4\r\nlandscape\r\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("森 鴎外"), std::string::npos) << kept;
    // The sample is 20 lines at 40 cells: one sheet of 34 lines, after the title page.
    const auto info = testing::RunProgram({"pdfinfo", pdf}, ".");
    if (info.exit_code == 0) {
        EXPECT_NE(info.out.find("Pages:           2\n"), std::string::npos) << info.out;
    }

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<gui::CManuscriptDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->preset->currentIndex(), 2);
        EXPECT_EQ(dialog->author->text(), "森 鴎外");
        dialog->reject();
    });
    frame->RunCommand(gui::kCmdManuscript);
}

}  // namespace
}  // namespace folix
