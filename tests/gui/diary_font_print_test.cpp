#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

#include "gui/app/commands.h"
#include "gui/dialogs/font_dialog.h"
#include "gui/dialogs/margins_dialog.h"
#include "gui/editor/qt_editor_control.h"
#include "gui/gui_fixture.h"
#include "gui/pdf_ink.h"
#include "gui/print/editor_printer.h"

namespace folix {
namespace {

using namespace std::chrono;
using testing::GuiFixture;
using testing::InkOfPage;
using testing::ReadBytes;

class DiaryFontPrintTest : public GuiFixture {
protected:
    // The book open on はじめに, the editor the active pane, the date pinned.
    gui::CChildFrame& OpenEditing() {
        gui::CChildFrame& child = OpenFirstPageInEditor();
        child.Document().FileSystem().SetDiaryClock([] { return 2020y / December / 7d; });
        return child;
    }
};

TEST_F(DiaryFontPrintTest, DiaryCommandsDateTheFileInOneUndoStepWithTheCaretBelowTheDate) {
    gui::CChildFrame& child = OpenEditing();
    gui::CFolixView& editor = child.Editor();
    const QString before = editor.toPlainText();

    frame->RunCommand(gui::kCmdDiaryTop);
    EXPECT_EQ(editor.toPlainText(), "十二月七日(月)\n\n" + before);
    EXPECT_EQ(editor.textCursor().blockNumber(), 1);
    EXPECT_EQ(editor.textCursor().positionInBlock(), 0);
    EXPECT_TRUE(child.Document().IsModified());
    editor.undo();
    EXPECT_EQ(editor.toPlainText(), before);

    frame->RunCommand(gui::kCmdDiaryEnd);
    EXPECT_EQ(editor.toPlainText(), before + "\n十二月七日(月)\n\n");
    EXPECT_EQ(editor.textCursor().blockNumber(), editor.document()->blockCount() - 2);
    EXPECT_EQ(editor.textCursor().block().text(), "");
    editor.undo();
    EXPECT_EQ(editor.toPlainText(), before);

    // On an empty file the end form is the top form.
    editor.clear();
    frame->RunCommand(gui::kCmdDiaryEnd);
    EXPECT_EQ(editor.toPlainText(), "十二月七日(月)\n\n");
    EXPECT_EQ(editor.textCursor().blockNumber(), 1);
}

TEST_F(DiaryFontPrintTest, EditorControlCountsTheDocumentsOwnPositions) {
    gui::CFolixView view;
    gui::QtEditorControl editor(view);
    view.setReadOnly(false);
    view.SetPlainFileText("𠮷野家のＡＢＣ\nabc 山田は");
    EXPECT_EQ(editor.GetTextLength(), 16);  // 𠮷 is two UTF-16 units, the line end one
    EXPECT_EQ(editor.GetText(), "𠮷野家のＡＢＣ\nabc 山田は");
    EXPECT_EQ(editor.FindText("\n", {0, kEndOfText}, {}), (TextRange{8, 9}));
    EXPECT_EQ(editor.FindText("ａｂｃ", {0, kEndOfText}, {}), (TextRange{5, 8}));
    EXPECT_EQ(editor.FindText("ａｂｃ", {0, kEndOfText}, {true, false}), std::nullopt);
    EXPECT_EQ(editor.FindText("山田", {0, kEndOfText}, {false, true}), (TextRange{13, 15}));
    EXPECT_EQ(editor.FindText("ab", {0, kEndOfText}, {false, true}), std::nullopt);
    editor.SetSelection({13, 15});
    EXPECT_EQ(editor.GetSelectedText(), "山田");
    ASSERT_TRUE(editor.ReplaceSelection("佐藤\n"));
    EXPECT_EQ(editor.GetSelection(), (TextRange{16, 16}));
    EXPECT_EQ(view.document()->blockCount(), 3);
    view.undo();
    EXPECT_EQ(editor.GetText(), "𠮷野家のＡＢＣ\nabc 山田は");
    view.setReadOnly(true);
    EXPECT_FALSE(editor.ReplaceSelection("x"));
}

TEST_F(DiaryFontPrintTest, DiaryIsForAWritableFileInTheEditorPaneOnly) {
    gui::CChildFrame& child = OpenSample();
    child.SetActivePane(gui::Pane::kEditor);
    EXPECT_FALSE(Enabled(gui::kCmdDiaryTop));  // the book file is read-only
    EXPECT_FALSE(Enabled(gui::kCmdDiaryEnd));
    Select(child, Find(child, Root(child), "はじめに"));
    child.SetActivePane(gui::Pane::kEditor);
    EXPECT_TRUE(Enabled(gui::kCmdDiaryTop));
    EXPECT_TRUE(Enabled(gui::kCmdFont));
    EXPECT_TRUE(Enabled(gui::kCmdMargins));
    child.SetActivePane(gui::Pane::kTree);
    EXPECT_FALSE(Enabled(gui::kCmdDiaryEnd));
    EXPECT_FALSE(Enabled(gui::kCmdFont));
    EXPECT_FALSE(Enabled(gui::kCmdMargins));
}

TEST_F(DiaryFontPrintTest, BookFontComesWithTheFirstFileAndShowsJapaneseWithoutItsFace) {
    gui::CChildFrame& child = OpenSample();
    // The book file opens before the book's font is read: the editor keeps its own.
    EXPECT_EQ(child.Editor().document()->defaultFont().pointSizeF(), 11);
    EXPECT_EQ(ReadBytes(dir / "sample/font.flc"), "");

    Select(child, Find(child, Root(child), "はじめに"));
    const QFont font = child.Editor().document()->defaultFont();
    EXPECT_EQ(font.families().value(0), "ＭＳ Ｐゴシック");
    EXPECT_EQ(font.pointSizeF(), 10);
    EXPECT_FALSE(font.bold());
    // This desktop has no such face; the text is drawn in a Japanese one, not in boxes.
    EXPECT_EQ(QFontInfo(font).family(), "Noto Sans CJK JP");
    EXPECT_EQ(child.Editor().Control().GetPrintMargins(), (PrintMargins{1134, 1134, 1134, 1134}));
}

TEST_F(DiaryFontPrintTest, ChosenFontAndColourGoToTheEditorAndTheBooksFile) {
    gui::CChildFrame& child = OpenEditing();
    CFileSystem& book = child.Document().FileSystem();
    gui::FontChooserDialog dialog(book.Font().m_logFont, book.Font().m_crTextColor);
    // The book's face is not on this desktop: the chooser starts on the one shown instead.
    EXPECT_EQ(dialog.CurrentFont().family(), "Noto Sans CJK JP");
    EXPECT_EQ(dialog.CurrentFont().pointSizeF(), 10);
    QFont chosen("Noto Serif CJK JP");
    chosen.setPointSize(14);
    chosen.setBold(true);
    chosen.setUnderline(true);
    dialog.SetCurrentFont(chosen);
    dialog.SetCurrentColor(QColor(200, 0, 16));
    book.ChangeFont(dialog.ChosenRecord(), dialog.ChosenColor());

    const QFont font = child.Editor().document()->defaultFont();
    EXPECT_EQ(QFontInfo(font).family(), "Noto Serif CJK JP");
    EXPECT_EQ(font.pointSizeF(), 14);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.underline());  // kept in the file, not shown
    EXPECT_EQ(child.Editor().palette().color(QPalette::Text), QColor(200, 0, 16));
    EXPECT_FALSE(child.Document().IsModified());
    const std::string file = ReadBytes(dir / "sample/font.flc");
    EXPECT_NE(file.find("\r\n-28\r\n0\r\n0\r\n0\r\n700\r\n0\r\n1\r\n0\r\n128\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("\r\nNoto Serif CJK JP\r\n1048776\r\n20\r\n"), std::string::npos);

    // The next file, and the next opening of the book, show it too.
    Select(child, Find(child, Root(child), "あとがき"));
    EXPECT_EQ(child.Editor().document()->defaultFont().pointSizeF(), 14);
    frame.reset();
    frame = std::make_unique<gui::CMainFrame>(ui, desktop, profile);
    gui::CChildFrame& again = OpenSample();
    Select(again, Find(again, Root(again), "あとがき"));
    EXPECT_EQ(QFontInfo(again.Editor().document()->defaultFont()).family(), "Noto Serif CJK JP");
    EXPECT_EQ(again.Editor().palette().color(QPalette::Text), QColor(200, 0, 16));
}

TEST_F(DiaryFontPrintTest, MarginsDialogTakesZeroToTwoHundredAndStaysOpenOtherwise) {
    gui::CMarginsDlg dialog(ui);
    EXPECT_EQ(dialog.windowTitle(), "印刷余白（ミリ）");
    dialog.left_mm = 20;
    dialog.ShowMembers();
    EXPECT_EQ(dialog.left->text(), "20");

    const auto try_entries = [&](const QString& l, const QString& r) {
        dialog.setResult(QDialog::Rejected);
        dialog.left->setText(l);
        dialog.right->setText(r);
        dialog.top->setText("15");
        dialog.bottom->setText("30");
        dialog.accept();
        return dialog.result() == QDialog::Accepted;
    };
    EXPECT_FALSE(try_entries("201", "0"));
    EXPECT_FALSE(try_entries("0", "-1"));
    EXPECT_FALSE(try_entries("1.5", "0"));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"0 から 200 までの整数を入力してください。",
                                                     "0 から 200 までの整数を入力してください。",
                                                     "整数を入力してください。"}));
    EXPECT_EQ(dialog.left_mm, 20);  // nothing taken from a refused dialog
    EXPECT_TRUE(try_entries("0", "200"));
    EXPECT_EQ(dialog.left_mm, 0);
    EXPECT_EQ(dialog.right_mm, 200);
    EXPECT_EQ(dialog.bottom_mm, 30);
}

TEST_F(DiaryFontPrintTest, PrintedJapanesePageKeepsItsInkInsideTheBooksMargins) {
    gui::CChildFrame& child = OpenEditing();
    child.Document().FileSystem().ChangeMargins(30, 20, 25, 40);
    EXPECT_EQ(child.Editor().Control().GetPrintMargins(), (PrintMargins{1701, 1417, 1134, 2268}));
    QString text;
    for (int line = 0; line < 120; ++line) {
        text +=
            "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗い"
            "じめじめした所でニャーニャー泣いていた事だけは記憶している。\n";
    }
    child.Editor().SetPlainFileText(text);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(QString::fromStdString(dir / "page.pdf"));
    ASSERT_TRUE(child.Editor().PrintDocument(printer, false));
    const testing::Ink ink =
        InkOfPage(QString::fromStdString(dir / "page.pdf"), QString::fromStdString(dir / "page"));
    // Inside the margins, and reaching near them: the text fills the page's body.
    EXPECT_GE(ink.left, 30 - 0.5);
    EXPECT_LE(ink.left, 30 + 2);
    EXPECT_LE(ink.right, 210 - 20 + 0.5);
    EXPECT_GE(ink.right, 210 - 20 - 5);
    EXPECT_GE(ink.top, 25 - 0.5);
    EXPECT_LE(ink.top, 25 + 4);
    EXPECT_LE(ink.bottom, 297 - 40 + 0.5);
    EXPECT_GE(ink.bottom, 297 - 40 - 8);

    // With the guides, the dotted lines cross the whole sheet.
    gui::EditorPrintJob job(*child.Editor().document(), printer,
                            child.Editor().Control().GetPrintMargins(), Qt::black);
    EXPECT_GT(job.PageCount(), 1);
    printer.setOutputFileName(QString::fromStdString(dir / "guides.pdf"));
    ASSERT_TRUE(job.Print(true));
    const testing::Ink guides = InkOfPage(QString::fromStdString(dir / "guides.pdf"),
                                          QString::fromStdString(dir / "guides"));
    EXPECT_LT(guides.left, 1);
    EXPECT_GT(guides.right, 209);
    EXPECT_LT(guides.top, 1);
    EXPECT_GT(guides.bottom, 296);
}

TEST_F(DiaryFontPrintTest, PreviewPagesAreToldFromPaper) {
    QPrinter printer(QPrinter::HighResolution);
    EXPECT_FALSE(gui::IsPreviewPrinter(printer));
    QPrintPreviewWidget preview(&printer);
    std::vector<bool> seen;
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* p) {
        seen.push_back(gui::IsPreviewPrinter(*p));
        QTextDocument document("あ");
        gui::EditorPrintJob(document, *p, {720, 720, 720, 720}, Qt::black).Print(seen.back());
    });
    preview.updatePreview();
    EXPECT_EQ(seen, std::vector<bool>{true});
}

}  // namespace
}  // namespace folix
