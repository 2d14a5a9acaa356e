#include "gui/gui_fixture.h"

#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "gui/app/commands.h"
#include "gui/dialogs/font_dialog.h"
#include "gui/editor/vertical_view.h"
#include "gui/pdf_ink.h"
#include "gui/print/vertical_printer.h"
#include "notation/notation_options.h"

namespace folix {
namespace {

using testing::GuiFixture;
using testing::ReadBytes;

class VerticalViewTest : public GuiFixture {
protected:
    // The sample's first page, writable, switched to vertical writing with the editor pane active.
    gui::CChildFrame& OpenVertical() {
        gui::CChildFrame& child = OpenFirstPageInEditor();
        frame->RunCommand(gui::kCmdVerticalPrint);
        QApplication::processEvents();
        return child;
    }
    static void Type(QWidget& widget, const QString& text) {
        for (QChar ch : text) {
            QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(ch), {});
        }
    }
    static void Key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&widget, static_cast<Qt::Key>(key), modifiers);
    }
    static int Position(gui::CChildFrame& child) { return child.Editor().textCursor().position(); }
};

TEST_F(VerticalViewTest, ToggleSwapsTheEditorsOverOneDocumentAndKeepsTextCaretAndModifiedFlag) {
    gui::CChildFrame& child = OpenSample();
    Select(child, Find(child, Root(child), "はじめに"));
    child.SetActivePane(gui::Pane::kEditor);
    EXPECT_TRUE(Enabled(gui::kCmdVerticalPrint));
    EXPECT_FALSE(frame->Action(gui::kCmdVerticalPrint)->isChecked());
    const QString text = child.Editor().toPlainText();
    QTextCursor cursor = child.Editor().textCursor();
    cursor.setPosition(7);
    child.Editor().setTextCursor(cursor);

    for (bool modified : {false, true}) {
        child.Editor().document()->setModified(modified);
        frame->RunCommand(gui::kCmdVerticalPrint);
        EXPECT_TRUE(child.Document().FileSystem().Options().m_bVertical);
        EXPECT_TRUE(frame->Action(gui::kCmdVerticalPrint)->isChecked());
        EXPECT_EQ(&child.ShownEditor(), &child.VerticalEditor());
        EXPECT_EQ(child.Document().IsModified(), modified);
        frame->RunCommand(gui::kCmdVerticalPrint);
        EXPECT_FALSE(child.Document().FileSystem().Options().m_bVertical);
        EXPECT_FALSE(frame->Action(gui::kCmdVerticalPrint)->isChecked());
        EXPECT_EQ(&child.ShownEditor(), &child.Editor());
        EXPECT_EQ(child.Editor().toPlainText(), text);
        EXPECT_EQ(Position(child), 7);
        EXPECT_EQ(child.Document().IsModified(), modified);
    }
    // only the editor pane carries the command
    child.SetActivePane(gui::Pane::kTree);
    EXPECT_FALSE(Enabled(gui::kCmdVerticalPrint));
}

// The hidden vertical view leaves the document alone while the horizontal editor edits it, and
// catches up when it is shown again: every column of the new text can be scrolled to.
TEST_F(VerticalViewTest, TextWrittenHorizontallyIsInTheColumnsWhenTheViewReturns) {
    gui::CChildFrame& child = OpenVertical();
    QScrollBar* bar = child.VerticalEditor().horizontalScrollBar();
    const int columns_before = child.VerticalEditor().Layout().ColumnCount();
    child.ToggleVertical();
    ASSERT_EQ(&child.ShownEditor(), &child.Editor());
    QTextCursor cursor = child.Editor().textCursor();
    cursor.movePosition(QTextCursor::End);
    for (int i = 0; i < 200; ++i) {
        cursor.insertText("\n新しい段落");
    }
    child.Editor().setTextCursor(cursor);
    child.ToggleVertical();
    QApplication::processEvents();
    gui::VerticalLayout& layout = child.VerticalEditor().Layout();
    EXPECT_EQ(layout.ColumnCount(), columns_before + 200);
    EXPECT_GE(bar->maximum(), static_cast<int>(200 * layout.ColumnPitch()) -
                                  child.VerticalEditor().viewport()->width());
    EXPECT_EQ(bar->value(), bar->maximum()) << "the caret at the end is in sight";
}

TEST_F(VerticalViewTest, BookReopensInVerticalWritingWithTheFileUnchanged) {
    {
        gui::CChildFrame& child = OpenVertical();
        EXPECT_EQ(&child.ShownEditor(), &child.VerticalEditor());
        frame->RunCommand(gui::kCmdFileClose);
        QApplication::processEvents();
    }
    gui::CChildFrame& again = OpenSample();
    EXPECT_TRUE(again.Document().FileSystem().Options().m_bVertical);
    EXPECT_EQ(&again.ShownEditor(), &again.VerticalEditor());
    EXPECT_FALSE(again.Document().IsModified());
    Select(again, Find(again, Root(again), "あとがき"));
    EXPECT_EQ(&again.ShownEditor(), &again.VerticalEditor());
    EXPECT_FALSE(again.Document().IsModified());
}

TEST_F(VerticalViewTest, TypingAndInputMethodCommitsEditTheSharedDocument) {
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    Key(view, Qt::Key_Home, Qt::ControlModifier);
    Type(view, "縦に");

    // The composition opens a gap in its column: the text after the caret moves down by it,
    // the caret stands where the input method puts it, and the document is not touched.
    gui::VerticalLayout& layout = view.Layout();
    const qreal em = layout.UnitRect(0).height();
    EXPECT_NEAR(layout.UnitRect(2).top(), 2 * em, 0.01);
    QInputMethodEvent compose("かく", {{QInputMethodEvent::Cursor, 1, 1}});
    QApplication::sendEvent(&view, &compose);
    EXPECT_EQ(view.PreeditText(), "かく");
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("縦にこの本"));  // not in the text yet
    EXPECT_NEAR(layout.UnitRect(2).top(), 4 * em, 0.01);
    EXPECT_NEAR(layout.CaretRect(2).center().y(), 3 * em, 0.01);
    EXPECT_NEAR(layout.UnitRect(1).top(), em, 0.01);
    const QRect caret = view.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(view.rect().contains(caret.center()));

    QInputMethodEvent commit;
    commit.setCommitString("書く");
    QApplication::sendEvent(&view, &commit);
    EXPECT_TRUE(view.PreeditText().isEmpty());
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("縦に書くこの本"));
    EXPECT_EQ(Position(child), 4);
    EXPECT_NEAR(layout.UnitRect(4).top(), 4 * em, 0.01);  // こ after the committed text
    EXPECT_NEAR(layout.CaretRect(4).center().y(), 4 * em, 0.01);
    EXPECT_TRUE(child.Document().IsModified());

    Key(view, Qt::Key_Backspace);
    Key(view, Qt::Key_Return);
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("縦に書\nこの本"));
    // undo and redo are the document's, whichever view made the change
    frame->RunCommand(gui::kCmdUndo);
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("縦に書この本"));

    // cut and paste work on the vertical view's selection
    Key(view, Qt::Key_Home, Qt::ControlModifier);
    Key(view, Qt::Key_Down, Qt::ShiftModifier);
    Key(view, Qt::Key_Down, Qt::ShiftModifier);
    frame->RunCommand(gui::kCmdCut);
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("書この本"));
    Key(view, Qt::Key_Down);
    frame->RunCommand(gui::kCmdPaste);
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("書縦にこの本"));

    ASSERT_TRUE(child.Document().OnSaveDocument());
    EXPECT_TRUE(ReadBytes(dir / "sample/はじめに.txt").starts_with("書縦にこの本"));
}

TEST_F(VerticalViewTest, ReadOnlyFileTakesNoTyping) {
    gui::CChildFrame& child = OpenSample();  // the book file itself is read-only
    child.SetActivePane(gui::Pane::kEditor);
    frame->RunCommand(gui::kCmdVerticalPrint);
    gui::VerticalView& view = child.VerticalEditor();
    const QString before = child.Editor().toPlainText();
    Type(view, "あ");
    QInputMethodEvent commit;
    commit.setCommitString("い");
    QApplication::sendEvent(&view, &commit);
    Key(view, Qt::Key_Return);
    EXPECT_EQ(child.Editor().toPlainText(), before);
    EXPECT_FALSE(view.inputMethodQuery(Qt::ImEnabled).toBool());
}

// Down and up follow the column; left is the next column, right the one before.
TEST_F(VerticalViewTest, MovementKeysFollowTheColumns) {
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    child.Editor().setPlainText("一二三四五六七八九十\n次の段落");  // 0-9, 11-14, end 15
    const auto at = [&](int key, Qt::KeyboardModifiers modifiers = {}) {
        Key(view, key, modifiers);
        return Position(child);
    };
    EXPECT_EQ(at(Qt::Key_Home, Qt::ControlModifier), 0);
    EXPECT_EQ(at(Qt::Key_Down), 1);
    EXPECT_EQ(at(Qt::Key_Down), 2);
    EXPECT_EQ(at(Qt::Key_Up), 1);
    EXPECT_EQ(at(Qt::Key_Left), 12);  // same row, next column
    EXPECT_EQ(at(Qt::Key_Right), 1);
    EXPECT_EQ(at(Qt::Key_End, Qt::ControlModifier), 15);
    EXPECT_EQ(at(Qt::Key_Home), 11);
    EXPECT_EQ(at(Qt::Key_End), 15);
    EXPECT_EQ(at(Qt::Key_Right), 4);  // the row of the caret below 段落
    EXPECT_EQ(at(Qt::Key_Home, Qt::ControlModifier), 0);
    EXPECT_EQ(at(Qt::Key_Right), 0);  // nothing before the first column
    EXPECT_EQ(at(Qt::Key_PageDown), 11);
    EXPECT_EQ(at(Qt::Key_PageUp), 0);
    Key(view, Qt::Key_Down, Qt::ShiftModifier);
    Key(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(child.Editor().textCursor().selectedText(), "一二");
    Key(view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(child.Editor().textCursor().selectionEnd(), 13);
}

TEST_F(VerticalViewTest, CaretBlinksWithTheFocusAndShowsAtOnceWhenMoved) {
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    view.setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(view.hasFocus());
    EXPECT_TRUE(view.CaretShown());
    const int half = QGuiApplication::styleHints()->cursorFlashTime() / 2;
    ASSERT_GT(half, 0);
    QTRY_VERIFY_WITH_TIMEOUT(!view.CaretShown(), 4 * half);
    Key(view, Qt::Key_Down);
    EXPECT_TRUE(view.CaretShown());
    QTRY_VERIFY_WITH_TIMEOUT(!view.CaretShown(), 4 * half);
    QTRY_VERIFY_WITH_TIMEOUT(view.CaretShown(), 4 * half);
    child.Tree().setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(view.CaretShown());
}

TEST_F(VerticalViewTest, ClickPlacesTheCaretAndDragSelects) {
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    child.Editor().setPlainText("一二三四五\n六七八");
    gui::VerticalLayout& layout = view.Layout();
    const QRectF third = layout.UnitRect(2);
    const QPoint on_third = view.ToViewport(third.center() - QPointF(0, 4)).toPoint();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, on_third);
    EXPECT_EQ(Position(child), 2);
    const QPoint on_seven = view.ToViewport(layout.UnitRect(7).center() + QPointF(0, 4)).toPoint();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, on_third);
    QMouseEvent move(QEvent::MouseMove, on_seven, view.viewport()->mapToGlobal(on_seven),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, on_seven);
    EXPECT_EQ(child.Editor().textCursor().selectedText(),
              QString("三四五") + QChar(QChar::ParagraphSeparator) + "六七");
}

// The view as a writer sees it: the first column at the right, the text in the book's face.
TEST_F(VerticalViewTest, ViewDrawsTheFirstColumnAtTheRight) {
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    QApplication::processEvents();
    const QImage image = view.viewport()->grab().toImage();
    if (const QByteArray dump = qgetenv("FOLIX_VERTICAL_PNG"); !dump.isEmpty()) {
        image.save(QString::fromLocal8Bit(dump));
    }
    const QRectF first = view.Layout().UnitRect(0);
    const QRect column = QRectF(view.ToViewport(first.topLeft()), first.size()).toAlignedRect();
    EXPECT_GT(column.left(), view.viewport()->width() * 3 / 4);
    int dark = 0;
    for (int x = column.left(); x <= column.right(); ++x) {
        for (int y = column.top(); y <= column.bottom(); ++y) {
            dark += qGray(image.pixel(x, y)) < 128;
        }
    }
    EXPECT_GT(dark, 10);  // the first character is drawn in its square
}

// A page inked only inside its margins, the first column against the right one.
TEST_F(VerticalViewTest, PrintedPagesKeepTheMarginsAndStartAtTheRight) {
    QTextDocument document;
    QString text;
    for (int i = 0; i < 40; ++i) {
        // about a column and a half each, so every page is full
        text += QString("縦書きで印刷する長い段落です。Latinも、「括弧」も入ります。").repeated(3) +
                "\n";
    }
    document.setPlainText(text);
    QFont font;
    font.setFamilies({"Noto Serif CJK JP"});
    font.setPointSize(10);
    const QSize paper(827, 1169);              // A4 at 100 dots an inch
    const QMargins margins(60, 80, 100, 120);  // left, top, right, bottom
    const QRectF area = QRectF(QPointF(0, 0), paper).marginsRemoved(margins);
    gui::VerticalPrinter pages(document, font, 100, area);
    ASSERT_GE(pages.PageCount(), 2);
    for (int page : {0, 1}) {
        QImage image(paper, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            pages.PaintPage(painter, page);
        }
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 160) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        // glyphs may overshoot their square by a fraction of a dot
        EXPECT_GE(ink.left(), margins.left() - 1) << page;
        EXPECT_GE(ink.top(), margins.top() - 1) << page;
        EXPECT_LT(ink.right(), paper.width() - margins.right()) << page;
        EXPECT_LT(ink.bottom(), paper.height() - margins.bottom()) << page;
        // the first column's glyphs reach the right margin, the columns fill towards the left
        EXPECT_GT(ink.right(), paper.width() - margins.right() - 14) << page;
        EXPECT_LT(ink.left(), margins.left() + 40) << page;
        EXPECT_GT(ink.bottom(), paper.height() - margins.bottom() - 40) << page;
    }
}

// The book's face, size and colour reach the vertical view and its printout, and the printout
// keeps the book's margins, the first column against the right one.
TEST_F(VerticalViewTest, BooksFontColourAndMarginsReachTheViewAndThePrintout) {
    gui::CChildFrame& child = OpenVertical();
    CFileSystem& book = child.Document().FileSystem();
    gui::FontChooserDialog dialog(book.Font().m_logFont, book.Font().m_crTextColor);
    QFont chosen("Noto Serif CJK JP");
    chosen.setPointSize(14);
    dialog.SetCurrentFont(chosen);
    dialog.SetCurrentColor(QColor(200, 0, 16));
    book.ChangeFont(dialog.ChosenRecord(), dialog.ChosenColor());
    book.ChangeMargins(30, 20, 25, 40);

    gui::VerticalView& view = child.VerticalEditor();
    QApplication::processEvents();
    EXPECT_EQ(view.Layout().Font().pointSizeF(), 14);
    EXPECT_EQ(view.Layout().RawFont().familyName(), "Noto Serif CJK JP");
    const auto reddish = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 120 && c.green() < 90 && c.blue() < 90;
            }
        }
        return count;
    };
    EXPECT_GT(reddish(view.viewport()->grab().toImage()), 50);

    QString text;
    for (int i = 0; i < 30; ++i) {
        // long paragraphs without a word that must be kept whole, so every column is full
        text += QString("縦書きで印刷する長い段落です").repeated(8) + "\n";
    }
    child.Editor().SetPlainFileText(text);
    const auto print = [&](const std::string& name, bool preview) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(QString::fromStdString(dir / (name + ".pdf")));
        EXPECT_TRUE(child.Editor().PrintDocument(printer, preview, true));
        return testing::InkOfPage(QString::fromStdString(dir / (name + ".pdf")),
                                  QString::fromStdString(dir / name));
    };
    const testing::Ink ink = print("vertical", false);
    EXPECT_GE(ink.left, 30 - 0.5);
    EXPECT_LE(ink.left, 30 + 10);  // columns fill the page towards the left margin
    EXPECT_LE(ink.right, 210 - 20 + 0.5);
    EXPECT_GE(ink.right, 210 - 20 - 2);  // the first column against the right margin
    EXPECT_GE(ink.top, 25 - 0.5);
    EXPECT_LE(ink.top, 25 + 3);
    EXPECT_LE(ink.bottom, 297 - 40 + 0.5);
    EXPECT_GE(ink.bottom, 297 - 40 - 6);
    EXPECT_GT(reddish(ink.page), 1000);

    // In preview the dotted guides cross the sheet; the editor is as it was.
    const testing::Ink guides = print("guides", true);
    EXPECT_LT(guides.left, 1);
    EXPECT_GT(guides.right, 209);
    EXPECT_EQ(child.Editor().document()->defaultFont().pointSizeF(), 14);
    EXPECT_EQ(child.Editor().Control().GetPrintMargins(), (PrintMargins{1701, 1417, 1134, 2268}));
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("縦書きで印刷する"));
}

// Beside ruby every click and key goes where the writer pointed: a typeset paragraph takes the
// caret at the character under the mouse (its ruby counts as the base) and opens to the
// notation as typed, and what is typed is saved at that place.
TEST_F(VerticalViewTest, ClicksAndKeysOnTypesetParagraphsEditWhereTheWriterPointed) {
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    child.Editor().setPlainText("｜東京《とうきょう》へ行く。\n漢字《かんじ》を書く。");  // 0, 15
    Key(view, Qt::Key_Home, Qt::ControlModifier);
    gui::VerticalLayout& layout = view.Layout();
    EXPECT_EQ(layout.ShapedBlock(0).text, "｜東京《とうきょう》へ行く。");
    EXPECT_EQ(layout.ShapedBlock(1).text, "漢字を書く。");
    const auto click = [&](const QPointF& at) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.ToViewport(at).toPoint());
        return Position(child);
    };
    const auto upper = [](const QRectF& r) { return r.center() - QPointF(0, r.height() / 4); };

    EXPECT_EQ(click(upper(layout.UnitRect(23))), 23);  // 書
    EXPECT_EQ(layout.ShapedBlock(1).text, "漢字《かんじ》を書く。");
    EXPECT_EQ(layout.ShapedBlock(0).text, "東京へ行く。");
    Type(view, "写");

    Key(view, Qt::Key_Home, Qt::ControlModifier);
    const QRectF kan = layout.UnitRect(15);
    const qreal ruby_x = kan.right() + layout.RubySize() * 0.9;  // the ruby's far side
    EXPECT_EQ(click(QPointF(ruby_x, kan.top() + 2)), 15);
    EXPECT_EQ(layout.ShapedBlock(1).text, "漢字《かんじ》を写書く。");

    const QRectF to = layout.UnitRect(1);  // 東, its ruby spread over it and 京
    EXPECT_EQ(click(QPointF(to.right() + layout.RubySize() / 2, to.top() + 3)), 1);
    Key(view, Qt::Key_Down);
    Key(view, Qt::Key_Down);
    Type(view, "都");
    Key(view, Qt::Key_End, Qt::ControlModifier);
    Key(view, Qt::Key_Return);
    Type(view, "第12話!?");

    // Left goes on to the next column at the caret's height, typeset or not; a shift-click
    // selects up to the character clicked, whichever way the paragraphs are shown.
    Key(view, Qt::Key_Home, Qt::ControlModifier);
    Key(view, Qt::Key_Left);
    EXPECT_EQ(Position(child), 16);
    Key(view, Qt::Key_Home, Qt::ControlModifier);
    const QPoint on_sho = view.ToViewport(upper(layout.UnitRect(25))).toPoint();  // 書
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, on_sho);
    EXPECT_EQ(child.Editor().textCursor().selectedText(),
              QString("｜東京都《とうきょう》へ行く。") + QChar(QChar::ParagraphSeparator) +
                  "漢字《かんじ》を写");

    ASSERT_TRUE(child.Document().OnSaveDocument());
    const std::string saved = ReadBytes(dir / "sample/はじめに.txt");
    EXPECT_NE(saved.find("｜東京都《とうきょう》へ行く。"), std::string::npos) << saved;
    EXPECT_NE(saved.find("漢字《かんじ》を写書く。"), std::string::npos) << saved;
    EXPECT_NE(saved.find("第12話!?"), std::string::npos) << saved;
    // The README's picture of the notation, at a size that shows the ruby.
    if (const QByteArray dump = qgetenv("FOLIX_RUBY_PNG"); !dump.isEmpty()) {
        QFont font = gui::DefaultBookFont();
        font.setFamilies({"Noto Serif CJK JP"});
        font.setPointSize(17);
        child.Editor().document()->setDefaultFont(font);
        child.Editor().setPlainText(
            "第一話　雨の日《ひ》の約束《やくそく》\n"
            "　その朝、｜紫陽花《あじさい》の咲く庭で、彼女は《《確かに》》そう言った。\n"
            "「12時に、駅《えき》の時計台《とけいだい》の下で待っているから」\n"
            "　本当に来るのか!?　半信半疑のまま、僕は傘《かさ》を手に取った。\n"
            "　雨は3時まで止まなかった。｜紫陽花《あじさい》の色が、少し濃くなった。");
        Key(view, Qt::Key_End, Qt::ControlModifier);
        view.viewport()->grab().save(QString::fromLocal8Bit(dump));
    }
}

// A printed page full of ruby has ink beside every line of its base (right of a column, above
// a horizontal line) where the same page with blank ruby, laid out alike, has none; and the
// ruby stays inside the margins.
struct RubyPrintCase {
    const char* writing;
    bool vertical;
};

const RubyPrintCase kRubyPrintCases[] = {{"vertical", true}, {"horizontal", false}};

TEST_F(VerticalViewTest, PrintedRubyStandsBesideItsBase) {
    gui::CChildFrame& child = OpenFirstPageInEditor();
    child.Document().FileSystem().ChangeMargins(30, 20, 25, 40);
    const QString line = QString("物語《ものがたり》を東京《とうきょう》で").repeated(4) + '\n';
    QString blank = line;  // the ruby's characters become ideographic spaces, one for one
    for (QRegularExpressionMatchIterator it = QRegularExpression("《([^》]*)》").globalMatch(line);
         it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        blank.replace(match.capturedStart(1), match.capturedLength(1),
                      QString(match.capturedLength(1), QChar(0x3000)));
    }
    for (const RubyPrintCase& row : kRubyPrintCases) {
        SCOPED_TRACE(row.writing);
        const auto print = [&](const QString& text, const std::string& name) {
            child.Editor().SetPlainFileText(text.repeated(40));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setOutputFileName(QString::fromStdString(dir / (name + ".pdf")));
            EXPECT_TRUE(child.Editor().PrintDocument(printer, false, row.vertical));
            return testing::InkOfPage(QString::fromStdString(dir / (name + ".pdf")),
                                      QString::fromStdString(dir / name));
        };
        const testing::Ink with_ruby = print(line, "ruby");
        const testing::Ink bare = print(blank, "blank");
        ASSERT_EQ(with_ruby.page.size(), bare.page.size());
        // Turned a quarter clockwise, the room above a horizontal line is right of a column.
        const QTransform turn = row.vertical ? QTransform() : QTransform().rotate(90);
        const QImage page = bare.page.transformed(turn);
        const QImage ruby_page = with_ruby.page.transformed(turn);
        // The base: the stretches across the page where the blank-ruby print has ink.
        QVector<bool> inked(page.width(), false);
        for (int x = 0; x < page.width(); ++x) {
            for (int y = 0; y < page.height() && !inked[x]; ++y) {
                inked[x] = qGray(page.pixel(x, y)) < 160;
            }
        }
        int lines = 0;
        int with_ruby_beside = 0;
        for (int x = 1; x < page.width(); ++x) {
            if (!inked[x - 1] || inked[x]) {
                continue;  // not the far edge of a line of base characters
            }
            ++lines;
            int ink = 0;
            for (int dx = 1; dx <= 8 && x + dx < page.width(); ++dx) {
                for (int y = 0; y < page.height(); ++y) {
                    ink += qGray(ruby_page.pixel(x + dx, y)) < 160;
                }
            }
            with_ruby_beside += ink > 40;
        }
        EXPECT_GE(lines, 20);  // the page is full
        EXPECT_EQ(with_ruby_beside, lines);
        if (row.vertical) {
            EXPECT_LE(with_ruby.right, 210 - 20 + 0.5);
        } else {
            EXPECT_GE(with_ruby.top, 25 - 0.5);
        }
    }
}

// The horizontal editor shows the notation as typed, its marks in a lighter ink; the file keeps
// every character as typed.
struct MarkCase {
    QString typed;
    QString lighter;  // the characters drawn lighter, in order
};

const MarkCase kMarkCases[] = {
    {"ただの文。", ""},
    {"漢字《かんじ》です", "《かんじ》"},
    {"｜東京《とうきょう》へ", "｜《とうきょう》"},
    {"《《強調》》する", "《《》》"},
    {"｜《括弧》", "｜"},
    {"閉じない《るび", ""},
};

TEST_F(VerticalViewTest, HorizontalEditorDrawsTheMarksLighterAndSavesThemAsTyped) {
    gui::CChildFrame& child = OpenFirstPageInEditor();
    gui::CFolixView& editor = child.Editor();
    editor.SetPlainFileText("");
    for (const MarkCase& row : kMarkCases) {
        Type(editor.TextWidget(), row.typed);
        Key(editor.TextWidget(), Qt::Key_Return);
    }
    // The marks are coloured as the lines are painted.
    editor.TextWidget().viewport()->repaint();
    const QColor ink = editor.palette().color(QPalette::Text);
    QTextBlock block = editor.document()->begin();
    for (const MarkCase& row : kMarkCases) {
        ASSERT_TRUE(block.isValid());
        EXPECT_EQ(block.text(), row.typed);
        QString lighter;
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            EXPECT_NE(range.format.foreground().color(), ink);
            lighter += block.text().mid(range.start, range.length);
        }
        EXPECT_EQ(lighter, row.lighter) << row.typed.toStdString();
        block = block.next();
    }
    ASSERT_TRUE(child.Document().OnSaveDocument());
    const std::string saved = ReadBytes(dir / "sample/はじめに.txt");
    for (const MarkCase& row : kMarkCases) {
        EXPECT_NE(saved.find(row.typed.toStdString()), std::string::npos) << saved;
    }
    // Opened again, the marks are lighter when shown and the file is not taken as changed.
    Select(child, Find(child, Root(child), "あとがき"));
    Select(child, Find(child, Root(child), "はじめに"));
    editor.TextWidget().viewport()->repaint();
    EXPECT_FALSE(child.Document().IsModified());
    EXPECT_FALSE(editor.document()->findBlockByNumber(1).layout()->formats().isEmpty());
    // A line that loses its notation loses its marks when it is painted next.
    const QTextBlock ruby_line = editor.document()->findBlockByNumber(1);
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(ruby_line.position() + static_cast<int>(ruby_line.text().indexOf("》")) + 1);
    editor.setTextCursor(cursor);
    Key(editor.TextWidget(), Qt::Key_Backspace);
    editor.TextWidget().viewport()->repaint();
    EXPECT_EQ(editor.document()->findBlockByNumber(1).text(), "漢字《かんじです");
    EXPECT_TRUE(editor.document()->findBlockByNumber(1).layout()->formats().isEmpty());
    ASSERT_TRUE(child.Document().OnSaveDocument());
    EXPECT_NE(ReadBytes(dir / "sample/はじめに.txt").find("漢字《かんじです"), std::string::npos);
}

// The book's upright digit setting reaches the view: three digits stand in one em when the book
// allows them, and lie on their side otherwise.
TEST_F(VerticalViewTest, BooksUprightDigitSettingReachesTheView) {
    NotationOptions options;
    options.upright_digits = 3;
    ASSERT_TRUE(SaveNotationOptions(ui, dir / "sample", options));
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    child.Editor().setPlainText("第123話\n");
    Key(view, Qt::Key_End, Qt::ControlModifier);  // the caret off the digits' paragraph
    const auto combined = [&] {
        int count = 0;
        for (const gui::VerticalUnit& unit : view.Layout().ShapedBlock(0).units) {
            count += unit.combined;
        }
        return count;
    };
    EXPECT_EQ(combined(), 1);
    child.ApplyUprightDigits(2);
    EXPECT_EQ(combined(), 0);
}

// A click into another paragraph shows it as typed and the paragraph left behind typeset, which
// moves the columns after them; the view follows, so the text clicked stays under the mouse.
TEST_F(VerticalViewTest, ClickedTextStaysUnderTheMouseWhenTheColumnsMove) {
    gui::CChildFrame& child = OpenVertical();
    gui::VerticalView& view = child.VerticalEditor();
    const QString many_columns = QString("｜東京《とうきょう》").repeated(20);  // 120 to 319
    child.Editor().setPlainText(QString("一\n").repeated(60) + many_columns + "\n漢字を書く。\n" +
                                QString("二\n").repeated(60));
    QTextCursor cursor = child.Editor().textCursor();
    cursor.movePosition(QTextCursor::End);
    child.Editor().setTextCursor(cursor);
    cursor.setPosition(120);
    child.Editor().setTextCursor(cursor);
    gui::VerticalLayout& layout = view.Layout();
    const int columns_typed = layout.ColumnOfPosition(324) - layout.ColumnOfPosition(120);
    const QRectF sho = layout.UnitRect(324);  // 書
    const QPoint click = view.ToViewport(sho.center() - QPointF(0, sho.height() / 4)).toPoint();
    ASSERT_TRUE(view.viewport()->rect().contains(click));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, click);
    EXPECT_EQ(Position(child), 324);
    EXPECT_LT(layout.ColumnOfPosition(324) - layout.ColumnOfPosition(120), columns_typed);
    const QRectF after = layout.UnitRect(324);
    EXPECT_NEAR(view.ToViewport(after.center()).x(), click.x(), layout.ColumnPitch() / 2);
}

}  // namespace
}  // namespace folix
