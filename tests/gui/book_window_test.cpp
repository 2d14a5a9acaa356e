#include "gui/gui_fixture.h"

#include <gtest/gtest-spi.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <functional>

#include "book/book_tree.h"
#include "book/editor_file.h"
#include "book/recent_files.h"
#include "epub/epub_settings.h"
#include "gui/app/commands.h"
#include "gui/app/folix_app.h"
#include "gui/dialogs/counts_dialog.h"
#include "gui/dialogs/epub_dialog.h"
#include "gui/dialogs/history_dialog.h"
#include "gui/dialogs/html_options_dialog.h"
#include "gui/dialogs/post_dialog.h"
#include "gui/dialogs/text_options_dialog.h"
#include "gui/platform/qt_ui.h"
#include "support/control_file_header.h"
#include "support/run_program.h"

namespace folix {
namespace {

using gui::CLeftView;
using testing::Cp932;
using testing::GuiFixture;
using testing::kControlFileHeader;
using testing::ReadBytes;
using testing::WriteBytes;

TEST_F(GuiFixture, BookOpensOnItsRootAndFoldersFillWhenOpened) {
    gui::CChildFrame& child = OpenSample();
    QTreeWidgetItem* root = Root(child);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "sample");
    EXPECT_EQ(child.Tree().GetItemImage(CLeftView::ToItem(root)), kImageClosedFolder);
    EXPECT_EQ(root->childCount(), 1);  // the placeholder until the folder opens
    QTreeWidgetItem* chapter = Find(child, root, "第一章　朝");
    ASSERT_NE(chapter, nullptr);
    EXPECT_EQ(chapter->childCount(), 1);
    EXPECT_NE(Find(child, chapter, "梅の木"), nullptr);
    EXPECT_EQ(child.Document().PathName(), book_path);
    EXPECT_TRUE(child.Editor().isReadOnly());
    EXPECT_EQ(LoadRecentFiles(profile).front(), book_path);
}

TEST_F(GuiFixture, SelectingAFileOpensItWritableAndSaveFollowsTheEditor) {
    gui::CChildFrame& child = OpenSample();
    EXPECT_FALSE(Enabled(gui::kCmdFileSave));  // the book file itself is read-only
    Select(child, Find(child, Root(child), "はじめに"));
    EXPECT_EQ(child.Document().PathName(), dir / "sample/はじめに.txt");
    EXPECT_FALSE(child.Editor().isReadOnly());
    EXPECT_TRUE(child.Editor().toPlainText().startsWith("この本は、小さな庭で"));
    EXPECT_TRUE(Enabled(gui::kCmdFileSave));
}

// The status bar counts the file as the writer types and selects, and the book's goal takes the
// day's first save as where the day's writing starts.
TEST_F(GuiFixture, TheStatusBarCountsTheFileAsTheWriterTypes) {
    WriteBytes(dir / "sample/count.flc",
               testing::kControlFileHeader + "20x20\r\n500字\r\n\r\n\r\n");
    gui::CChildFrame& child = OpenFirstPageInEditor();
    QApplication::processEvents();
    const QLabel* counts = frame->statusBar()->findChild<QLabel*>("counts");
    ASSERT_NE(counts, nullptr);
    EXPECT_EQ(counts->text().toStdString(),
              "文字数 69　0.3枚　1行 1桁　目標 500字、現在 430字（86%）、今日 +0字");

    QWidget& editor = child.Editor().TextWidget();
    QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_Return);
    for (const QChar ch : QString(20, u'あ') + "。") {
        QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QString(ch), {});
    }
    EXPECT_EQ(counts->text().toStdString(),
              "文字数 90　0.4枚　5行 22桁　目標 500字、現在 451字（90%）、今日 +0字");
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&editor, Qt::Key_Left, Qt::ShiftModifier);
    }
    EXPECT_NE(counts->text().indexOf("5行 19桁　選択 3字"), -1) << counts->text().toStdString();

    EXPECT_EQ(child.Title().toStdString(), "sample - はじめに.txt *");  // unsaved, as the tab says
    QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(child.Title().toStdString(), "sample - はじめに.txt");
    EXPECT_TRUE(ReadBytes(dir / "sample/はじめに.txt")
                    .ends_with("\r\nああああああああああああああああああああ。"));
    EXPECT_NE(counts->text().indexOf("現在 451字（90%）、今日 +21字"), -1)
        << counts->text().toStdString();
    EXPECT_NE(ReadBytes(dir / "sample/count.flc").find(" 430\r\n"), std::string::npos);

    // The tree's tooltip counts an item, a file or a folder, as it is on disk.
    for (const auto& [label, shown] : {std::pair{"はじめに", "文字数 90　8行　0.4枚"},
                                       std::pair{"第一章　朝", "文字数 223　14行　0.7枚"}}) {
        QTreeWidgetItem* item = Find(child, Root(child), label);
        const QPoint at = child.Tree().visualItemRect(item).center();
        QHelpEvent help(QEvent::ToolTip, at, child.Tree().viewport()->mapToGlobal(at));
        QApplication::sendEvent(child.Tree().viewport(), &help);
        EXPECT_EQ(QToolTip::text().toStdString(), shown) << label;
    }
}

// Every save is a version any Git reads; 履歴 lists them newest first and 復元 puts the chosen
// one into the editor as one edit the writer can undo, writing nothing itself.
TEST_F(GuiFixture, EverySaveIsKeptAndAVersionComesBackAsOneEdit) {
    gui::CChildFrame& child = OpenFirstPageInEditor();
    QWidget& editor = child.Editor().TextWidget();
    const std::string first = ReadBytes(dir / "sample/はじめに.txt");
    for (const char* added : {"一", "二"}) {
        QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
        QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QString(added), {});
        QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
    }
    const std::string git_dir = "--git-dir=" + dir / "sample/.folix-history";
    const auto log = testing::RunProgram({"git", git_dir, "log", "--format=%s"}, dir.path());
    EXPECT_EQ(log.out, "保存 はじめに.txt\n保存 はじめに.txt\n");
    const auto shown =
        testing::RunProgram({"git", git_dir, "show", "main~1:はじめに.txt"}, dir.path());
    EXPECT_EQ(shown.out, first + "一");

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<gui::CHistoryDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->list->count(), 2);
        EXPECT_TRUE(dialog->list->item(1)->text().endsWith("保存　70字"));
        EXPECT_TRUE(dialog->list->item(0)->text().endsWith("保存　71字（+1）"));
        dialog->list->setCurrentRow(1);
        QTest::mouseClick(dialog->restore, Qt::LeftButton);
    });
    frame->RunCommand(gui::kCmdHistory);
    EXPECT_TRUE(child.Editor().toPlainText().endsWith("一"));
    EXPECT_EQ(ReadBytes(dir / "sample/はじめに.txt"), first + "一二");  // nothing written
    EXPECT_TRUE(child.Document().IsModified());
    child.Editor().undo();
    EXPECT_TRUE(child.Editor().toPlainText().endsWith("一二"));
}

// 投稿用に書き出す writes the episodes for the platform chosen, from the episode chosen, and
// lists where the platform would show the text otherwise; a place activated opens at its line.
TEST_F(GuiFixture, EpisodesForAPlatformListWhereItDiffers) {
    WriteBytes(dir / "sample/あとがき.txt", "一行目\r\n｜長い長い長い長い長い長い《ながい》\r\n");
    OpenSample();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<gui::CPostDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->from->count(), 8);
        dialog->site->setCurrentIndex(1);  // 小説家になろう
        dialog->from->setCurrentIndex(7);  // あとがき, the last episode
        dialog->accept();
    });
    frame->RunCommand(gui::kCmdPost);
    EXPECT_EQ(ReadBytes(dir / "sample-narou/007_あとがき.txt"),
              "一行目\r\n長い長い長い長い長い長い（ながい）\r\n");
    EXPECT_FALSE(testing::Exists(dir / "sample-narou/001_はじめに.txt"));
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(),
              dir / "sample-narou" + "に書き出しました");
    auto* notes = frame->findChild<gui::CPostNotesDlg*>();
    ASSERT_NE(notes, nullptr);
    ASSERT_EQ(notes->list->count(), 2);  // the episode's length, then the ruby
    EXPECT_TRUE(
        notes->list->item(1)->text().startsWith("あとがき.txt:2: ルビか親文字が10文字を超える"));
    emit notes->list->itemActivated(notes->list->item(1));
    gui::CChildFrame& child = *frame->ActiveChild();
    EXPECT_EQ(child.Document().PathName(), dir / "sample/あとがき.txt");
    EXPECT_EQ(child.Editor().textCursor().blockNumber(), 1);
    notes->close();
}

// A book opened by a path relative to the folder the program started in is kept by its real
// path: the recent list reopens it from anywhere, and the browser gets a full path.
TEST_F(GuiFixture, ABookOpenedByARelativePathIsKeptByItsRealPath) {
    const QString started_in = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path()));
    ASSERT_TRUE(frame->OpenDocument("./sample/../sample/sample.flx"));
    QDir::setCurrent(started_in);
    EXPECT_EQ(LoadRecentFiles(profile).front(), dir / "sample/sample.flx");
    CFileSystem& book = frame->ActiveChild()->Document().FileSystem();
    ASSERT_TRUE(SetHtmlFileName(ui, book.GetHtmlOptions(), "garden.htm", ""));
    frame->RunCommand(gui::kCmdMakeHtml);
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(),
              dir / "garden2_.htm" + " ほか4件に書き出しました");
    frame->RunCommand(gui::kCmdBrowse);
    ASSERT_FALSE(desktop.opened.empty());
    EXPECT_EQ(desktop.opened.back(), dir / "garden.htm");
}

TEST_F(GuiFixture, ChangedFileIsOfferedForSavingBeforeAnotherOpens) {
    gui::CChildFrame& child = OpenSample();
    Select(child, Find(child, Root(child), "はじめに"));
    child.Editor().moveCursor(QTextCursor::End);
    child.Editor().insertPlainText("追記");
    ui.ExpectQuestion(true);
    Select(child, Find(child, Root(child), "あとがき"));
    EXPECT_EQ(ui.questions, std::vector<std::string>{"はじめには変更されています。保存しますか？"});
    EXPECT_TRUE(ReadBytes(dir / "sample/はじめに.txt").ends_with("追記"));
    EXPECT_NE(ReadBytes(dir / "sample/はじめに.txt").find("記録です。\r\n"), std::string::npos);
    EXPECT_EQ(child.Document().PathName(), dir / "sample/あとがき.txt");

    child.Editor().insertPlainText("消える");
    ui.ExpectQuestion(false);
    Select(child, Find(child, Root(child), "はじめに"));
    EXPECT_EQ(ReadBytes(dir / "sample/あとがき.txt").find("消える"), std::string::npos);
}

// One window a book: opening it again brings its window to the front. A file of the book opened
// on its own in a second window is read-only while the book's window holds it writable.
TEST_F(GuiFixture, ABookHasOneWindowAndAFileOneWritableEditor) {
    gui::CChildFrame& first = OpenSample();
    Select(first, Find(first, Root(first), "はじめに"));
    EXPECT_TRUE(frame->OpenDocument(dir / "sample/./sample.flx"));
    EXPECT_EQ(frame->Children().size(), 1);
    EXPECT_EQ(frame->ActiveChild(), &first);

    ASSERT_TRUE(frame->OpenDocument(dir / "sample/はじめに.txt"));
    gui::CChildFrame& second = *frame->ActiveChild();
    ASSERT_NE(&first, &second);
    EXPECT_TRUE(second.Editor().isReadOnly());
    EXPECT_FALSE(first.Editor().isReadOnly());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"このファイルは他の画面で使用中です。"});
}

TEST_F(GuiFixture, Cp932FileSavesAsCp932AndRichTextAsRichText) {
    WriteBytes(dir / "sample/sjis.txt", Cp932("表の話\r\n"));
    WriteBytes(dir / "sample/rich.txt",
               "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold}\\par}");
    const std::map<std::string, std::string> elsewhere = {{"lf", "\n"}, {"cr", "\r"}};
    for (const auto& [name, line_end] : elsewhere) {
        WriteBytes(dir / "sample/" + name + ".txt", "一行目" + line_end + line_end + "三行目");
    }
    gui::CChildFrame& child = OpenSample();
    Select(child, Find(child, Root(child), "sjis"));
    child.Editor().moveCursor(QTextCursor::End);
    child.Editor().insertPlainText("続き");
    ASSERT_TRUE(child.Document().OnSaveDocument());
    EXPECT_EQ(ReadBytes(dir / "sample/sjis.txt"), Cp932("表の話\r\n続き"));

    // A file written elsewhere shows one paragraph a line and keeps its own line ends.
    for (const auto& [name, line_end] : elsewhere) {
        Select(child, Find(child, Root(child), QString::fromStdString(name)));
        EXPECT_EQ(child.Editor().document()->blockCount(), 3);
        child.Editor().moveCursor(QTextCursor::End);
        child.Editor().insertPlainText("\n四");
        ASSERT_TRUE(child.Document().OnSaveDocument());
        EXPECT_EQ(ReadBytes(dir / "sample/" + name + ".txt"),
                  "一行目" + line_end + line_end + "三行目" + line_end + "四");
    }

    Select(child, Find(child, Root(child), "rich"));
    EXPECT_FALSE(child.Editor().isReadOnly());
    QTextCursor cursor(child.Editor().document());
    cursor.setPosition(7);  // inside "bold"
    EXPECT_GE(cursor.charFormat().fontWeight(), QFont::Bold);
    child.Editor().moveCursor(QTextCursor::End);
    child.Editor().insertPlainText(" 続");
    ASSERT_TRUE(child.Document().OnSaveDocument());
    const std::string saved = ReadBytes(dir / "sample/rich.txt");
    EXPECT_EQ(saved.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(saved.find("\\b"), std::string::npos);
    EXPECT_NE(saved.find("\\u32154"), std::string::npos);  // 続
}

// A file the book only shows, and a page whose bytes are neither UTF-8 nor Shift_JIS, open
// read-only: a key and a save change nothing of their bytes.
TEST_F(GuiFixture, PagesAndBookFilesOpenReadOnly) {
    struct Row {
        const char* file;
        const char* label;
        std::string bytes;
        std::vector<std::string> notices;
    };
    const Row rows[] = {
        {"index.htm", "index.htm", "<p>page</p>", {}},
        {"broken.txt", "broken", "ok \x82\xff \xfd end\r\n", {kUndecodableFileNotice}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        StartAgain();
        const std::string path = dir / ("sample/" + std::string(row.file));
        WriteBytes(path, row.bytes);
        gui::CChildFrame& child = OpenSample();
        Select(child, Find(child, Root(child), row.label));
        EXPECT_TRUE(child.Editor().isReadOnly());
        EXPECT_EQ(ui.notices, row.notices);
        FocusEditor(child);
        EXPECT_FALSE(Enabled(gui::kCmdFileSave));
        EXPECT_FALSE(Enabled(gui::kCmdPaste));
        EXPECT_TRUE(Enabled(gui::kCmdCopy));
        QTest::sendKeyEvent(QTest::Click, &child.Editor().TextWidget(), Qt::Key_unknown,
                            QString("字"), {});
        QTest::keyClick(&child.Editor(), Qt::Key_S, Qt::ControlModifier);
        EXPECT_FALSE(child.Document().IsModified());
        EXPECT_EQ(ReadBytes(path), row.bytes);
    }
}

TEST_F(GuiFixture, HtmlAndTextBuildFromTheBooksOptions) {
    gui::CChildFrame& child = OpenSample();
    CFileSystem& book = child.Document().FileSystem();
    frame->RunCommand(gui::kCmdBrowse);
    EXPECT_EQ(ui.messages.back(), "HTML作成ボタンを押してHTMLファイルを更新してください。");

    ASSERT_TRUE(SetHtmlFileName(ui, book.GetHtmlOptions(), "garden.htm", ""));
    frame->RunCommand(gui::kCmdMakeHtml);
    EXPECT_TRUE(testing::Exists(dir / "garden.htm"));
    EXPECT_TRUE(testing::Exists(dir / "garden3_.htm"));
    EXPECT_NE(ReadBytes(dir / "garden3_.htm").find("梅の木"), std::string::npos);
    frame->RunCommand(gui::kCmdBrowse);
    EXPECT_EQ(desktop.opened, std::vector<std::string>{dir / "garden.htm"});

    book.Options().m_bAllowText = true;
    frame->RunCommand(gui::kCmdMakeText);
    EXPECT_NE(ReadBytes(dir / "sample.txt").find("縁側にて"), std::string::npos);

    // The e-book's dialog starts from the book; a language that is no tag keeps it open.
    book.Options().m_bVertical = true;
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<gui::EpubDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->title->text(), "sample");
        EXPECT_EQ(dialog->language->text(), "ja");
        EXPECT_TRUE(dialog->vertical->isChecked());
        dialog->TakeCover(dir / "cover.png");
        EXPECT_EQ(dialog->cover->text(), "");
        dialog->TakeCover(dir / "sample/cover.png");
        EXPECT_EQ(dialog->cover->text(), "cover.png");
        dialog->cover->clear();
        dialog->author->setText("森");
        dialog->language->setText("日本");
        dialog->accept();
        EXPECT_TRUE(dialog->isVisible());
        dialog->language->setText("ja");
        dialog->accept();
    });
    frame->RunCommand(gui::kCmdMakeEpub);
    ASSERT_GE(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[ui.messages.size() - 2],
              "表紙の画像は本のフォルダにあるファイルから選んでください。");
    EXPECT_EQ(ui.messages.back(), "日本は不正です。");
    EXPECT_EQ(ReadBytes(dir / "sample.epub").rfind("PK", 0), 0u);
    EXPECT_EQ(LoadEpubSettings(ui, dir / "sample").author, "森");
    EXPECT_EQ(LoadEpubSettings(ui, dir / "sample").direction, EpubDirection::kBook);
}

// The notation settings are set in the HTML and TEXT option dialogs; their file appears only
// once a setting changes.
TEST_F(GuiFixture, OptionDialogsSetTheNotationAndWriteItsFileOnlyOnAChange) {
    struct Row {
        const char* what;
        int command;
        std::function<void(QDialog*)> choose;
        std::string stored;  // the file after the header; empty for no file
        const char* file = "notation.flc";
    };
    const Row rows[] = {
        {"counts unchanged", gui::kCmdCounts, [](QDialog*) {}, "", "count.flc"},
        {"counts on 40×30 with a goal", gui::kCmdCounts,
         [](QDialog* dialog) {
             auto* counts = qobject_cast<gui::CCountsDlg*>(dialog);
             ASSERT_NE(counts, nullptr);
             EXPECT_EQ(counts->table->rowCount(), 9);
             EXPECT_EQ(counts->total->text().toStdString(), "合計　430字　30行　1.5枚（換算 2枚）");
             counts->grid->setCurrentIndex(2);
             EXPECT_EQ(counts->total->text().toStdString(), "合計　430字　20行　0.7枚（換算 1枚）");
             counts->goal->setText("100枚");
         },
         "40x30\r\n100枚\r\n\r\n\r\n", "count.flc"},
        {"HTML unchanged", gui::kCmdHtmlOptions, [](QDialog*) {}, ""},
        {"HTML notation with three digits", gui::kCmdHtmlOptions,
         [](QDialog* dialog) {
             auto* html = qobject_cast<gui::CHtmlOptionsDlg*>(dialog);
             ASSERT_NE(html, nullptr);
             html->notation->setChecked(true);
             html->upright_digits->setCurrentIndex(1);
         },
         "true\r\nkeep\r\n3\r\n"},
        {"TEXT base", gui::kCmdTextOptions,
         [](QDialog* dialog) {
             auto* text = qobject_cast<gui::CTextOptionsDlg*>(dialog);
             ASSERT_NE(text, nullptr);
             text->base_text->setChecked(true);
         },
         "false\r\nbase\r\n2\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAgain();
        OpenSample();
        QTimer::singleShot(0, [&row] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            row.choose(dialog);
            dialog->accept();
        });
        frame->RunCommand(row.command);
        const std::string file = dir / "sample/" + row.file;
        EXPECT_EQ(testing::Exists(file), !row.stored.empty());
        if (!row.stored.empty()) {
            EXPECT_EQ(ReadBytes(file), kControlFileHeader + row.stored);
        }
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(GuiFixture, PaneCommandsFollowTheActivePane) {
    gui::CChildFrame& child = OpenSample();
    child.SetActivePane(gui::Pane::kTree);
    EXPECT_TRUE(Enabled(gui::kCmdAddFile));
    EXPECT_TRUE(Enabled(gui::kCmdMultiFolder));
    EXPECT_FALSE(Enabled(gui::kCmdPrint));
    EXPECT_TRUE(Enabled(gui::kCmdMakeHtml));
    child.SetActivePane(gui::Pane::kEditor);
    EXPECT_FALSE(Enabled(gui::kCmdAddFile));
    EXPECT_TRUE(Enabled(gui::kCmdPrint));
    EXPECT_TRUE(Enabled(gui::kCmdMakeHtml));
}

TEST_F(GuiFixture, TreePaneHidesAndComesBackAtTheRememberedWidth) {
    gui::CChildFrame& child = OpenSample();
    child.SetTreeWidth(180);
    child.Document().FileSystem().Options().m_nTreeWidth = 180;
    frame->RunCommand(gui::kCmdToggleTree);
    EXPECT_EQ(child.GetTreeWidth(), 0);
    frame->RunCommand(gui::kCmdToggleTree);
    EXPECT_EQ(child.GetTreeWidth(), 180);
}

TEST_F(GuiFixture, MissingBookOpensNoWindow) {
    EXPECT_FALSE(frame->OpenDocument(dir / "none/none.flx"));
    EXPECT_EQ(frame->ActiveChild(), nullptr);
    EXPECT_EQ(ui.messages, std::vector<std::string>{dir / "none/none.flx" + "が開けません。(2)"});
}

TEST(RecentFileList, StartUpDropsEverythingButBookFiles) {
    testing::MemoryProfile profile;
    profile.WriteString(kRecentFileSection, "File1", "/b/notes.txt");
    profile.WriteString(kRecentFileSection, "File2", "/b/NOVEL.FLX");
    profile.WriteString(kRecentFileSection, "File3", "/b/pic.png");
    gui::CFolixApp::PruneRecentFiles(profile);
    EXPECT_EQ(LoadRecentFiles(profile), std::vector<std::string>{"/b/NOVEL.FLX"});
}

// A box that waits for an answer no test scripted would hold the whole test program until its
// time-out: it fails the test that opened it, naming its text, and is closed unanswered.
TEST(UnscriptedQuestion, FailsTheTestInsteadOfWaiting) {
    static bool answer = true;
    EXPECT_NONFATAL_FAILURE(answer = gui::QtUi().AskYesNo("保存しますか？"), "保存しますか？");
    EXPECT_FALSE(answer);
    EXPECT_NONFATAL_FAILURE(gui::QtUi().ShowMessage("完了しました。"), "完了しました。");
}

}  // namespace
}  // namespace folix
