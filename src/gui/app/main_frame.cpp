#include "gui/app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <filesystem>

#include "book/new_book.h"
#include "book/path_parts.h"
#include "book/recent_files.h"
#include "editing/diary_date.h"
#include "epub/epub_builder.h"
#include "epub/epub_settings.h"
#include "gui/app/child_frame.h"
#include "gui/app/commands.h"
#include "gui/app/focus_mode.h"
#include "gui/app/window_memory.h"
#include "gui/book/count_status.h"
#include "gui/book/folix_doc.h"
#include "gui/book/tree_view.h"
#include "gui/dialogs/counts_dialog.h"
#include "gui/dialogs/epub_dialog.h"
#include "gui/dialogs/find_replace_dialog.h"
#include "gui/dialogs/font_dialog.h"
#include "gui/dialogs/history_dialog.h"
#include "gui/dialogs/html_options_dialog.h"
#include "gui/dialogs/margins_dialog.h"
#include "gui/dialogs/post_dialog.h"
#include "gui/dialogs/text_options_dialog.h"
#include "gui/editor/editor_view.h"
#include "gui/manuscript/manuscript_build.h"
#include "gui/manuscript/manuscript_dialog.h"
#include "gui/print/printed_page.h"
#include "gui/upload/upload_dialog.h"
#include "platform/desktop.h"
#include "platform/ui.h"
#include "site/html_options.h"
#include "site/text_builder.h"
#include "upload/curl_ftp_client.h"
#include "upload/upload_files.h"

namespace folix::gui {
namespace {

constexpr char kMultiFolderAction[] = "複数フォルダの設定";
constexpr int kToolIconSize = 20;

// A toolbar picture for a command of our own: its first characters on a coloured tile.
QIcon LetterIcon(const QString& letters, QColor color) {
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(2, 2, 36, 36), 7, 7);
    QFont font = DefaultBookFont();
    font.setPixelSize(letters.size() > 1 ? 17 : 24);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 40, 40), Qt::AlignCenter, letters);
    return QIcon(pixmap);
}

// A toolbar button says what it does and its key: the menu text without its access key, the
// status-bar prompt, and the shortcut.
QString ToolTipOf(const QAction& action) {
    QString name = action.text();
    name.remove(QRegularExpression(R"(\(&.\)|&|\.\.\.$)"));
    const QString prompt = action.statusTip();
    QString tip = prompt.isEmpty() || prompt == name ? name : name + "：" + prompt;
    if (!action.shortcut().isEmpty()) {
        tip += " (" + action.shortcut().toString(QKeySequence::NativeText) + ")";
    }
    return tip;
}

QString TextOf(int id) {
    const CommandText* text = FindCommandText(id);
    return text ? QString::fromUtf8(text->text) : QString();
}

// The notation file is written only when the writer changed a setting, so that a book keeps
// exactly the files it had until then.
void SaveNotationIfChanged(Ui& ui, const std::string& root, const NotationOptions& shown,
                           const NotationOptions& chosen) {
    if (chosen != shown) {
        SaveNotationOptions(ui, root, chosen);
    }
}

}  // namespace

CMainFrame::CMainFrame(Ui& ui, Desktop& desktop, Profile& profile, QWidget* parent)
    : QMainWindow(parent), ui_(ui), desktop_(desktop), profile_(profile) {
    setObjectName("mainframe");
    setWindowTitle("folix");
    setAcceptDrops(true);
    mdi_area_ = new QMdiArea(this);
    mdi_area_->setViewMode(QMdiArea::TabbedView);
    mdi_area_->setTabsClosable(true);
    mdi_area_->setTabsMovable(true);
    mdi_area_->setDocumentMode(true);
    setCentralWidget(mdi_area_);
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    focus_mode_ = std::make_unique<FocusMode>(*this);
    RegisterCommands();
    BuildToolBar();
    BuildStatusBar();
    BuildMenus();
    connect(mdi_area_, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateCommandStates);
    connect(mdi_area_, &QMdiArea::subWindowActivated, this, &CMainFrame::ShowCounts);
    // Commands are enabled as the window idles, the way the desktop's framework always did,
    // and again just before a shortcut is looked up: Ctrl+S right after a file opened saves it.
    qApp->installEventFilter(this);
    // A pane taking the focus changes what may act at once, not at the next idle tick: a click
    // on the toolbar right after a click into the tree finds the buttons as they should be.
    // Queued, so that the book window has noted its new active pane first.
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdateCommandStates,
            Qt::QueuedConnection);
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    idle->start(250);
}

// The book windows close as the frame goes; the frame must not update its commands meanwhile.
CMainFrame::~CMainFrame() {
    mdi_area_->disconnect(this);
}

QAction* CMainFrame::Register(int id, const QString& text, const QKeySequence& shortcut,
                              std::function<void()> run, std::function<bool()> enabled,
                              std::function<bool()> checked) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString("command%1").arg(id));
    action->setData(id);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    if (const CommandText* own = FindCommandText(id); own && *own->prompt) {
        action->setStatusTip(QString::fromUtf8(own->prompt));
        action->setToolTip(QString::fromUtf8(own->text));
    }
    action->setCheckable(static_cast<bool>(checked));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    addAction(action);
    commands_[id] = Command{action, std::move(run), std::move(enabled), std::move(checked)};
    return action;
}

void CMainFrame::RegisterCommands() {
    Register(kCmdFileNew, "新規作成(&N)", QKeySequence("Ctrl+N"), [this] { NewBook(); });
    Register(kCmdFileOpen, "開く(&O)...", QKeySequence("Ctrl+O"), [this] { OpenWithDialog(); });
    Register(
        kCmdFileClose, "閉じる(&C)", {}, [this] { mdi_area_->closeActiveSubWindow(); },
        [this] { return ActiveChild() != nullptr; });
    Register(
        kCmdFileSave, "上書き保存(&S)", QKeySequence("Ctrl+S"),
        [this] { ActiveChild()->Document().OnSaveDocument(); },
        [this] { return ActiveChild() && !ActiveChild()->Document().IsEditorReadOnly(); });
    // What the writer chooses here stays for the window's printing.
    Register(kCmdPrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", {},
             [this] { QPrintDialog(printer_.get(), this).exec(); });
    Register(kCmdExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", {}, [this] { close(); });
    Register(kCmdAbout, "folix のﾊﾞｰｼﾞｮﾝ情報(&A)...", {}, [this] { About(); });
    Register(kCmdHelpTopics, "ﾄﾋﾟｯｸの検索(&H)", QKeySequence("F1"),
             [this] { RunCommand(kCmdManual); });
    Register(kCmdManual, TextOf(kCmdManual), {},
             [this] { ShowPage(ManualPath().toStdString()); });
    Register(
        kCmdViewToolbar, "ﾂｰﾙ ﾊﾞｰ(&T)", {},
        [this] {
            if (auto* bar = findChild<QToolBar*>("toolbar")) {
                bar->setVisible(!bar->isVisible());
            }
        },
        nullptr, [this] { return findChild<QToolBar*>("toolbar")->isVisible(); });
    Register(
        kCmdViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", {},
        [this] { statusBar()->setVisible(!statusBar()->isVisible()); }, nullptr,
        [this] { return statusBar()->isVisible(); });
    Register(
        kCmdFullScreen, "全画面表示(&F)", QKeySequence("F11"),
        [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); }, nullptr,
        [this] { return isFullScreen(); });
    Register(
        kCmdFocusMode, "集中モード(&W)", QKeySequence("Ctrl+Shift+F"),
        [this] {
            if (focus_mode_->IsOn()) {
                focus_mode_->Leave();
            } else {
                focus_mode_->Enter(*ActiveChild());
            }
        },
        [this] { return focus_mode_->IsOn() || ActiveChild() != nullptr; },
        [this] { return focus_mode_->IsOn(); });
    Register(
        kCmdCascade, "重ねて表示(&C)", {}, [this] { mdi_area_->cascadeSubWindows(); },
        [this] { return ActiveChild() != nullptr; });
    Register(
        kCmdTile, "並べて表示(&T)", {}, [this] { mdi_area_->tileSubWindows(); },
        [this] { return ActiveChild() != nullptr; });
    Register(
        kCmdPrint, "印刷(&P)...", QKeySequence("Ctrl+P"), [this] { Print(false); },
        [this] { return ActiveChild() && ActiveChild()->ActivePane() == Pane::kEditor; });
    Register(
        kCmdPrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", {}, [this] { Print(true); },
        [this] { return ActiveChild() && ActiveChild()->ActivePane() == Pane::kEditor; });
    RegisterBookCommands();
}

void CMainFrame::RegisterBookCommands() {
    const auto child = [this] { return ActiveChild(); };
    const auto editor = [this] { return &ActiveChild()->Editor(); };
    const auto writable = [this] {
        return ActiveChild() && !ActiveChild()->Document().IsEditorReadOnly();
    };
    const auto any_book = [child] { return child() != nullptr; };
    const auto book = [this] { return &ActiveChild()->Document().FileSystem(); };

    Register(
        kCmdUndo, "元に戻す(&U)", QKeySequence("Ctrl+Z"), [editor] { editor()->undo(); }, writable);
    Register(
        kCmdCut, "切り取り(&T)", QKeySequence("Ctrl+X"), [editor] { editor()->cut(); }, writable);
    Register(
        kCmdCopy, "ｺﾋﾟｰ(&C)", QKeySequence("Ctrl+C"), [editor] { editor()->copy(); }, any_book);
    Register(
        kCmdPaste, "貼り付け(&P)", QKeySequence("Ctrl+V"), [editor] { editor()->paste(); },
        writable);
    Register(
        kCmdSelectAll, "すべて選択(&L)", QKeySequence("Ctrl+A"),
        [editor] { editor()->selectAll(); }, any_book);
    Register(
        kCmdRedo, "やり直し(&R)", QKeySequence("Ctrl+Y"), [editor] { editor()->redo(); }, writable)
        ->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    Register(
        kCmdFind, "検索(&F)...", QKeySequence("Ctrl+F"), [this] { FindDialog().ShowFind(FindSeed()); },
        any_book);
    // F3 goes on with the last find, the dialog open or not; before any, it opens the dialog.
    Register(
        kCmdFindNext, "次を検索(&I)", QKeySequence("F3"),
        [this] {
            if (find_dialog_ == nullptr || find_dialog_->Request().text.empty()) {
                FindDialog().ShowFind(FindSeed());
            } else {
                find_dialog_->FindNext();
            }
        },
        any_book);
    Register(
        kCmdReplace, "置換(&E)", QKeySequence("Ctrl+H"),
        [this] { FindDialog().ShowReplace(FindSeed()); }, writable);
    Register(
        kCmdZoomIn, "拡大(&I)", QKeySequence::ZoomIn, [editor] { editor()->Zoom(1); }, any_book)
        ->setShortcuts({QKeySequence::ZoomIn, QKeySequence("Ctrl+=")});
    Register(
        kCmdZoomOut, "縮小(&O)", QKeySequence::ZoomOut, [editor] { editor()->Zoom(-1); },
        any_book);
    Register(
        kCmdZoomReset, "元の大きさ(&Z)", QKeySequence("Ctrl+0"),
        [editor] { editor()->ResetZoom(); }, any_book);

    // The tree's own commands act on the item under the last right click. Each ends with the
    // highlight on the editor's file, and what it made in label editing, to be named at once.
    const auto tree_edit = [this](std::string (*edit)(CFileSystem&)) {
        return [this, edit] {
            CChildFrame* window = ActiveChild();
            CFileSystem& model = window->Document().FileSystem();
            const std::string made = edit(model);
            window->Tree().FollowEditorFile();
            if (!made.empty()) {
                window->Tree().EditLabel(model.RevealPath(made));
            }
        };
    };
    Register(kCmdNewFile, TextOf(kCmdNewFile), {},
             tree_edit([](CFileSystem& model) { return model.NewFile(); }), any_book);
    Register(kCmdNewFolder, TextOf(kCmdNewFolder), {},
             tree_edit([](CFileSystem& model) { return model.NewFolder(); }), any_book);
    Register(kCmdAddFile, TextOf(kCmdAddFile), {},
             tree_edit([](CFileSystem& model) { return model.AddFile(".txt"); }), any_book);
    Register(kCmdAddList, TextOf(kCmdAddList), {},
             tree_edit([](CFileSystem& model) { return model.AddFile(".lst"); }), any_book);
    Register(kCmdAddFolder, TextOf(kCmdAddFolder), {},
             tree_edit([](CFileSystem& model) { return model.AddFolder(); }), any_book);
    Register(kCmdDelete, TextOf(kCmdDelete), {}, tree_edit([](CFileSystem& model) {
                 model.Delete();
                 return std::string();
             }),
             any_book);
    Register(
        kCmdMultiFolder, TextOf(kCmdMultiFolder), {},
        [this, book] {
            if (!book()->RequireTree(kMultiFolderAction)) {
                return;
            }
            TreeControl& tree = ActiveChild()->Tree();
            const bool was_single = tree.HasSingleExpandStyle();
            tree.SetSingleExpandStyle(!was_single);
            book()->Options().m_bMultiFolder = was_single;
        },
        any_book, [this, book] { return ActiveChild() && book()->Options().m_bMultiFolder; });
    Register(
        kCmdToggleTree, TextOf(kCmdToggleTree), {}, [child] { child()->ToggleTreePane(); },
        any_book);
    Register(
        kCmdBrowse, TextOf(kCmdBrowse), {},
        [this] {
            const std::string top_page = ActiveChild()->Document().FileSystem().TopPagePath();
            if (top_page.empty()) {
                ui_.ShowMessage(kBuildFirstMessage);
            } else {
                ShowPage(top_page);
            }
        },
        any_book);
    // The whole-book jobs read the files from the disk: a changed file is offered for saving
    // first, and a No or a failed save stops the job.
    const auto after_save = [this](std::function<void()> job) {
        return [this, job = std::move(job)] {
            if (ActiveChild()->Document().AskSaveIfModified()) {
                job();
            }
        };
    };
    Register(kCmdMakeHtml, TextOf(kCmdMakeHtml), {}, after_save([this, book] {
                 book()->MakeHtml();
                 TellBuiltFiles();
             }),
             any_book);
    Register(kCmdMakeText, TextOf(kCmdMakeText), {}, after_save([this, book] {
                 book()->MakeText();
                 TellBuiltFiles();
             }),
             any_book);
    Register(
        kCmdHtmlOptions, TextOf(kCmdHtmlOptions), {}, [this] { EditHtmlOptions(); }, any_book);
    Register(
        kCmdTextOptions, TextOf(kCmdTextOptions), {}, [this] { EditTextOptions(); }, any_book);
    Register(
        kCmdHistory, TextOf(kCmdHistory), {}, [this] { ShowHistory(); },
        [this] { return ActiveChild() && !ActiveChild()->Document().IsEditorReadOnly(); });
    Register(kCmdPost, TextOf(kCmdPost), {}, after_save([this] { PostBook(); }), any_book);
    Register(kCmdManuscript, TextOf(kCmdManuscript), {},
             after_save([this] { MakeManuscriptPdf(); }), any_book);
    Register(kCmdCounts, TextOf(kCmdCounts), {}, after_save([this] { ShowBookCounts(); }),
             any_book);
    Register(kCmdMakeEpub, TextOf(kCmdMakeEpub), {}, after_save([this] { MakeEpub(); }), any_book);
    Register(
        kCmdSearch, TextOf(kCmdSearch), {}, [child] { child()->OpenFindBar(); }, any_book);
    // The diary goes through the core's editor, so it is one undo step like any edit of ours.
    const auto diary = [this, book](bool (*insert)(EditorControl&, const std::string&)) {
        return [this, book, insert] {
            insert(ActiveChild()->Editor().Control(), book()->DiaryDate());
        };
    };
    Register(kCmdDiaryTop, TextOf(kCmdDiaryTop), {}, diary(&InsertDiaryDateTop), writable);
    Register(kCmdDiaryEnd, TextOf(kCmdDiaryEnd), {}, diary(&InsertDiaryDateEnd), writable);
    Register(
        kCmdFont, TextOf(kCmdFont), {}, [this] { ChooseFont(); }, any_book);
    Register(
        kCmdMargins, TextOf(kCmdMargins), {}, [this] { ChooseMargins(); }, any_book);
    Register(
        kCmdUpload, TextOf(kCmdUpload), {}, [this] { Upload(); }, any_book);
    Register(
        kCmdVerticalPrint, TextOf(kCmdVerticalPrint), {}, [child] { child()->ToggleVertical(); },
        any_book, [this, book] { return ActiveChild() && book()->Options().m_bVertical; });
}

void CMainFrame::BuildToolBar() {
    QToolBar* bar = addToolBar("ﾂｰﾙ ﾊﾞｰ");
    bar->setObjectName("toolbar");
    bar->setIconSize(QSize(kToolIconSize, kToolIconSize));
    QStyle* s = style();
    const auto standard = [&](int id, QStyle::StandardPixmap pixmap) {
        commands_[id].action->setIcon(s->standardIcon(pixmap));
        bar->addAction(commands_[id].action);
    };
    const auto own = [&](int id, const QString& letters, QColor color) {
        commands_[id].action->setIcon(LetterIcon(letters, color));
        bar->addAction(commands_[id].action);
    };
    standard(kCmdFileNew, QStyle::SP_FileIcon);
    standard(kCmdFileOpen, QStyle::SP_DialogOpenButton);
    standard(kCmdFileSave, QStyle::SP_DialogSaveButton);
    bar->addSeparator();
    own(kCmdCut, "切", QColor(120, 120, 120));
    own(kCmdCopy, "写", QColor(120, 120, 120));
    own(kCmdPaste, "貼", QColor(120, 120, 120));
    standard(kCmdUndo, QStyle::SP_ArrowBack);
    bar->addSeparator();
    own(kCmdPrint, "印", QColor(90, 90, 90));
    bar->addSeparator();
    own(kCmdSearch, "検", QColor(200, 90, 40));
    bar->addSeparator();
    own(kCmdMakeHtml, "H", QColor(40, 110, 190));
    own(kCmdBrowse, "見", QColor(40, 110, 190));
    own(kCmdUpload, "↑", QColor(40, 110, 190));
    own(kCmdHtmlOptions, "設", QColor(40, 110, 190));
    bar->addSeparator();
    own(kCmdToggleTree, "開", QColor(60, 140, 80));
    own(kCmdMultiFolder, "複", QColor(60, 140, 80));
    own(kCmdFont, "字", QColor(60, 140, 80));
    own(kCmdVerticalPrint, "縦", QColor(60, 140, 80));
    own(kCmdDiaryTop, "一", QColor(150, 80, 160));
    own(kCmdDiaryEnd, "日", QColor(150, 80, 160));
    bar->addSeparator();
    own(kCmdMakeText, "T", QColor(160, 120, 40));
    own(kCmdTextOptions, "設", QColor(160, 120, 40));
    own(kCmdMakeEpub, "E", QColor(160, 120, 40));
    bar->addSeparator();
    own(kCmdManual, "解", QColor(90, 90, 160));
    standard(kCmdAbout, QStyle::SP_MessageBoxInformation);
    for (QAction* action : bar->actions()) {
        if (!action->isSeparator()) {
            action->setToolTip(ToolTipOf(*action));
        }
    }
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    counts_label_ = new QLabel(bar);
    counts_label_->setObjectName("counts");
    bar->addPermanentWidget(counts_label_);
    for (const char* indicator : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(indicator, bar);
        label->setEnabled(false);
        bar->addPermanentWidget(label);
    }
    bar->showMessage("レディ");
}

void CMainFrame::ShowBookCounts() {
    CChildFrame* child = ActiveChild();
    const SiteBook book = child->Document().FileSystem().BookOnDisk();
    CountSettings settings = LoadCountSettings(ui_, book.root_path);
    const CountSettings before = settings;
    CCountsDlg dialog(
        ui_, settings,
        [this, &book](const GridSize& grid) { return CountBook(ui_, book, grid.cells); }, this);
    if (dialog.exec() != QDialog::Accepted || settings == before) {
        return;
    }
    SaveCountSettings(ui_, book.root_path, settings);
    child->Counts().Reload();
}

void CMainFrame::ShowHistory() {
    CChildFrame* child = ActiveChild();
    CFolixDoc& document = child->Document();
    const std::string& root = document.FileSystem().Tree().GetRootPath();
    const std::string relative = BookRelativePath(root, document.PathName());
    HistoryStore* store = relative.empty() ? nullptr : document.History().StoreFor(root);
    if (store == nullptr) {
        return;
    }
    const std::optional<std::vector<FileVersion>> versions = store->Versions(relative);
    if (!versions) {
        ui_.ShowMessage(store->error());
        return;
    }
    if (versions->empty()) {
        ui_.ShowMessage(kNoHistoryMessage);
        return;
    }
    CFolixView& editor = child->Editor();
    CHistoryDlg dialog(*store, *versions, editor.toPlainText().toStdString(),
                       !editor.HoldsRichText(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // One edit the writer can undo; the save after it keeps a new version.
    QTextCursor cursor(editor.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(QString::fromStdString(dialog.RestoredText()));
    cursor.endEditBlock();
}

void CMainFrame::PostBook() {
    const SiteBook book = ActiveChild()->Document().FileSystem().BookOnDisk();
    CPostDlg dialog(EpisodeFiles(ui_, book), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const PostResult result = PostEpisodes(ui_, book, dialog.Site(), dialog.From());
    if (!result.written.empty()) {
        statusBar()->showMessage(QString::fromStdString(result.folder) + kWrittenToMessage);
    }
    if (result.notes.empty()) {
        return;
    }
    // Beside the window, so that the writer can go from place to place and mend them.
    auto* notes = new CPostNotesDlg(
        result.notes,
        [this, root = book.root_path](const std::string& file, size_t line) {
            GoToLine(JoinPath(root, file), line);
        },
        this);
    notes->setAttribute(Qt::WA_DeleteOnClose);
    notes->show();
}

void CMainFrame::GoToLine(const std::string& path, size_t line) {
    CChildFrame* child = ActiveChild();
    if (child == nullptr || !child->Document().AskSaveIfModified() ||
        !child->Document().OpenDocument(path)) {
        return;
    }
    CFolixView& editor = child->Editor();
    const QTextBlock block =
        editor.document()->findBlockByNumber(line > 0 ? static_cast<int>(line) - 1 : 0);
    if (block.isValid()) {
        QTextCursor cursor(block);
        editor.setTextCursor(cursor);
        editor.ensureCursorVisible();
    }
    child->ShownEditor().setFocus();
}

void CMainFrame::ShowCounts() {
    CChildFrame* child = ActiveChild();
    counts_label_->setText(child != nullptr ? child->Counts().Text() : QString());
}

void CMainFrame::FillRecentMenu() {
    const QList<QAction*> actions = file_menu_->actions();
    for (qsizetype i = actions.indexOf(recent_start_) + 1; actions[i] != recent_end_; ++i) {
        file_menu_->removeAction(actions[i]);
        delete actions[i];
    }
    const std::vector<std::string> recent = LoadRecentFiles(profile_);
    if (recent.empty()) {
        auto* none = new QAction("最近使ったﾌｧｲﾙ", file_menu_);
        none->setEnabled(false);
        file_menu_->insertAction(recent_end_, none);
        return;
    }
    int number = 1;
    for (const std::string& path : recent) {
        QString shown = QString::fromStdString(path);
        if (shown.size() > 30) {
            shown = "…" + shown.right(29);
        }
        auto* action = new QAction(QString("&%1 %2").arg(number++).arg(shown), file_menu_);
        connect(action, &QAction::triggered, this, [this, path] { OpenDocument(path); });
        file_menu_->insertAction(recent_end_, action);
    }
}

// Built once; the recent books are read again each time the File menu opens, so it always
// shows the list as it is.
void CMainFrame::BuildMenus() {
    QMenuBar* bar = menuBar();
    file_menu_ = bar->addMenu("ﾌｧｲﾙ(&F)");
    file_menu_->addAction(Action(kCmdFileNew));
    file_menu_->addAction(Action(kCmdFileOpen));
    file_menu_->addAction(Action(kCmdFileClose));
    file_menu_->addAction(Action(kCmdFileSave));
    file_menu_->addSeparator();
    file_menu_->addAction(Action(kCmdMakeEpub));
    file_menu_->addAction(Action(kCmdPost));
    file_menu_->addAction(Action(kCmdManuscript));
    file_menu_->addAction(Action(kCmdCounts));
    file_menu_->addAction(Action(kCmdHistory));
    file_menu_->addSeparator();
    file_menu_->addAction(Action(kCmdPrint));
    file_menu_->addAction(Action(kCmdPrintPreview));
    file_menu_->addAction(Action(kCmdMargins));
    file_menu_->addAction(Action(kCmdPrintSetup));
    recent_start_ = file_menu_->addSeparator();
    recent_end_ = file_menu_->addSeparator();
    file_menu_->addAction(Action(kCmdExit));
    FillRecentMenu();
    connect(file_menu_, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
    QMenu* edit = bar->addMenu("編集(&E)");
    constexpr int kSeparator = 0;
    for (int id : {int{kCmdUndo}, int{kCmdRedo}, kSeparator, int{kCmdCut}, int{kCmdCopy},
                   int{kCmdPaste}, int{kCmdSelectAll}, kSeparator, int{kCmdFind},
                   int{kCmdFindNext}, int{kCmdReplace}}) {
        if (id == kSeparator) {
            edit->addSeparator();
        } else {
            edit->addAction(Action(id));
        }
    }
    QMenu* view = bar->addMenu("表示(&V)");
    view->addAction(Action(kCmdViewToolbar));
    view->addAction(Action(kCmdViewStatusBar));
    view->addSeparator();
    view->addAction(Action(kCmdZoomIn));
    view->addAction(Action(kCmdZoomOut));
    view->addAction(Action(kCmdZoomReset));
    view->addSeparator();
    view->addAction(Action(kCmdFullScreen));
    view->addAction(Action(kCmdFocusMode));
    // The menus are asked before they show, as the framework's update rule has it.
    for (QMenu* menu : {file_menu_, edit, view}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
    QMenu* window = bar->addMenu("ｳｨﾝﾄﾞｳ(&W)");
    window->addAction(Action(kCmdCascade));
    window->addAction(Action(kCmdTile));
    QMenu* help = bar->addMenu("ﾍﾙﾌﾟ(&H)");
    help->addAction(Action(kCmdHelpTopics));
    help->addSeparator();
    help->addAction(Action(kCmdAbout));
}

// The edit menu's items, shown at the pointer.
QMenu* CMainFrame::MakeEditorPopup(QWidget* parent) {
    UpdateCommandStates();
    auto* menu = new QMenu("編集(&E)", parent);
    menu->addAction(Action(kCmdUndo));
    menu->addSeparator();
    menu->addAction(Action(kCmdCut));
    menu->addAction(Action(kCmdCopy));
    menu->addAction(Action(kCmdPaste));
    menu->addAction(Action(kCmdSelectAll));
    menu->addSeparator();
    menu->addAction(Action(kCmdFind));
    menu->addAction(Action(kCmdFindNext));
    menu->addAction(Action(kCmdReplace));
    return menu;
}

QMenu* CMainFrame::MakeTreePopup(QWidget* parent) {
    UpdateCommandStates();
    auto* menu = new QMenu(parent);
    menu->addAction(Action(kCmdAddFile));
    menu->addAction(Action(kCmdAddFolder));
    QMenu* create = menu->addMenu("新規作成");
    create->addAction(Action(kCmdNewFile));
    create->addAction(Action(kCmdNewFolder));
    menu->addAction(Action(kCmdAddList));
    menu->addAction(Action(kCmdDelete));
    menu->addSeparator();
    menu->addAction(Action(kCmdCounts));
    menu->addAction(Action(kCmdHistory));
    return menu;
}

CChildFrame* CMainFrame::ActiveChild() const {
    QMdiSubWindow* window = mdi_area_->activeSubWindow();
    if (window == nullptr && !mdi_area_->subWindowList().isEmpty()) {
        window = mdi_area_->currentSubWindow();
    }
    return window ? qobject_cast<CChildFrame*>(window->widget()) : nullptr;
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : mdi_area_->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(window->widget())) {
            children.append(child);
        }
    }
    return children;
}

QAction* CMainFrame::Action(int id) const {
    auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : it->second.action;
}

// A command that only one pane carries is disabled while the other pane is active.
bool CMainFrame::RouteAllows(int id) const {
    const CommandText* own = FindCommandText(id);
    CChildFrame* child = ActiveChild();
    if (own == nullptr || child == nullptr) {
        return true;
    }
    switch (own->route) {
        case CommandRoute::kTreePane:
            return child->ActivePane() == Pane::kTree;
        case CommandRoute::kEditorPane:
            return child->ActivePane() == Pane::kEditor;
        default:
            return true;
    }
}

void CMainFrame::UpdateCommandStates() {
    for (auto& [id, command] : commands_) {
        const bool enabled = (!command.enabled || command.enabled()) && RouteAllows(id);
        command.action->setEnabled(enabled);
        if (command.checked) {
            command.action->setChecked(command.checked());
        }
    }
}

void CMainFrame::RunCommand(int id) {
    UpdateCommandStates();
    auto it = commands_.find(id);
    if (it == commands_.end() || !it->second.action->isEnabled()) {
        return;
    }
    it->second.run();
    UpdateCommandStates();
}

bool CMainFrame::OpenDocument(const std::string& typed_path) {
    // The book by its real path, whatever folder the program was started in: the recent list
    // and the browser get a path that leads to it from anywhere.
    std::error_code error;
    std::filesystem::path real =
        std::filesystem::weakly_canonical(std::filesystem::absolute(typed_path, error), error);
    const std::string path = error ? typed_path : real.string();
    // One window a book: a second would show its own tree and write its own options over the
    // first's. The book already open comes to the front instead.
    for (QMdiSubWindow* window : mdi_area_->subWindowList()) {
        auto* open = qobject_cast<CChildFrame*>(window->widget());
        if (open != nullptr && open->IsBook(path)) {
            mdi_area_->setActiveSubWindow(window);
            return true;
        }
    }
    auto* child = new CChildFrame(ui_, desktop_, profile_);
    child->Editor().SetPopupMenuFactory(
        [this](QWidget* parent) { return MakeEditorPopup(parent); });
    child->Tree().SetContextMenuFactory([this](QWidget* parent) { return MakeTreePopup(parent); });
    QMdiSubWindow* window = mdi_area_->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QString::fromStdString(FileNamePart(path)));
    connect(child, &CChildFrame::TitleChanged, window, &QMdiSubWindow::setWindowTitle);
    connect(child, &CChildFrame::StatusTextChanged, this, &CMainFrame::ShowCounts);
    connect(&child->Document(), &CFolixDoc::StatusNotice, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    window->showMaximized();
    if (!child->Open(path)) {
        child->CloseDocument();
        window->close();
        return false;
    }
    child->Tree().setFocus();
    UpdateCommandStates();
    return true;
}

void CMainFrame::NewBook() {
    QFileDialog dialog(this, "新規作成");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("flx");
    dialog.setNameFilter("book_title (*.flx)");
    dialog.selectFile("book_title.flx");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const std::string book = CreateNewBook(ui_, dialog.selectedFiles().first().toStdString());
    if (!book.empty()) {
        OpenDocument(book);
    }
}

void CMainFrame::OpenWithDialog() {
    const QString path =
        QFileDialog::getOpenFileName(this, "開く", LastBookFolder(profile_), "Folix ﾌｧｲﾙ (*.flx)");
    if (!path.isEmpty()) {
        OpenDocument(path.toStdString());
    }
}

// The editor prints within its own margins: half an inch until the book's are applied. The
// guides are drawn only on the preview's pages, never on paper, not even when printing is
// started from the preview window.
void CMainFrame::Print(bool preview) {
    CChildFrame* child = ActiveChild();
    CFolixView& editor = child->Editor();
    // A book in vertical writing is printed in columns by the vertical view's own layout.
    const bool vertical = child->Document().FileSystem().Options().m_bVertical;
    const auto print = [&editor, vertical](QPrinter* p) {
        editor.PrintDocument(*p, IsPreviewPrinter(*p), vertical);
    };
    if (preview) {
        QPrintPreviewDialog dialog(printer_.get(), this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, &editor, print);
        dialog.exec();
    } else if (QPrintDialog(printer_.get(), this).exec() == QDialog::Accepted) {
        print(printer_.get());
    }
}

void CMainFrame::ChooseFont() {
    CFileSystem& book = ActiveChild()->Document().FileSystem();
    FontChooserDialog dialog(book.Font().m_logFont, book.Font().m_crTextColor, this);
    if (dialog.exec() == QDialog::Accepted) {
        book.ChangeFont(dialog.ChosenRecord(), dialog.ChosenColor());
    }
}

void CMainFrame::ChooseMargins() {
    CFileSystem& book = ActiveChild()->Document().FileSystem();
    const FontSettings& font = book.Font();
    CMarginsDlg dialog(ui_, this);
    dialog.left_mm = font.m_nMarginLeft;
    dialog.right_mm = font.m_nMarginRight;
    dialog.top_mm = font.m_nMarginTop;
    dialog.bottom_mm = font.m_nMarginBottom;
    dialog.ShowMembers();
    if (dialog.exec() == QDialog::Accepted) {
        book.ChangeMargins(dialog.left_mm, dialog.right_mm, dialog.top_mm, dialog.bottom_mm);
    }
}

void CMainFrame::EditHtmlOptions() {
    CFileSystem& book = ActiveChild()->Document().FileSystem();
    if (!book.RequireTree("HTMLオプションの設定")) {
        return;
    }
    const std::string& root = book.Tree().GetRootPath();
    const NotationOptions notation = LoadNotationOptions(ui_, root);
    CHtmlOptionsDlg dialog(book.GetHtmlOptions(), notation, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // A refused name keeps the old one; the other settings are stored all the same.
    SetHtmlFileName(ui_, book.GetHtmlOptions(), dialog.FileNameEntry().toStdString(), root);
    dialog.StoreSwitches(book.GetHtmlOptions());
    book.SaveHtmlOptions();
    NotationOptions chosen = notation;
    dialog.StoreNotation(chosen);
    SaveNotationIfChanged(ui_, root, notation, chosen);
    ActiveChild()->ApplyUprightDigits(chosen.upright_digits);
}

void CMainFrame::EditTextOptions() {
    CFileSystem& book = ActiveChild()->Document().FileSystem();
    if (!book.RequireTree("TEXTオプションの設定")) {
        return;
    }
    const std::string& root = book.Tree().GetRootPath();
    const NotationOptions notation = LoadNotationOptions(ui_, root);
    CTextOptionsDlg dialog(book.Options(), notation, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    SetTextOptions(ui_, book.Options(), dialog.extension->text().toStdString(),
                   dialog.head_prefix->text().toStdString(), dialog.allow->isChecked());
    book.SaveOptions();
    NotationOptions chosen = notation;
    dialog.StoreNotation(chosen);
    SaveNotationIfChanged(ui_, root, notation, chosen);
}

void CMainFrame::MakeEpub() {
    CFileSystem& book = ActiveChild()->Document().FileSystem();
    if (!book.RequireTree(kEpubActionName)) {
        return;
    }
    const std::string root = book.Tree().m_strRootPath;
    EpubDialog dialog(ui_, LoadEpubSettings(ui_, root), root, book.Options().m_bVertical, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    EpubSettings settings = dialog.settings();
    if (SaveEpubSettings(ui_, root, settings)) {
        book.MakeEpub(settings);
        TellBuiltFiles();
    }
}

void CMainFrame::TellBuiltFiles() {
    const std::vector<std::string>& files = ActiveChild()->Document().FileSystem().BuiltFiles();
    if (files.empty()) {
        return;
    }
    QString where = QString::fromStdString(files.front());
    if (files.size() > 1) {
        where += QString(" ほか%1件").arg(files.size() - 1);
    }
    statusBar()->showMessage(where + kWrittenToMessage);
}

void CMainFrame::MakeManuscriptPdf() {
    CFileSystem& book = ActiveChild()->Document().FileSystem();
    if (!book.RequireTree(kManuscriptActionName)) {
        return;
    }
    const SiteBook site = book.BookOnDisk();
    const ManuscriptSettings kept = LoadManuscriptSettings(ui_, site.root_path);
    CManuscriptDlg dialog(kept, LoadCountSettings(ui_, site.root_path).grid, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (dialog.settings != kept && !SaveManuscriptSettings(ui_, site.root_path, dialog.settings)) {
        return;
    }
    QProgressDialog progress("原稿を作成しています…", QString(), 0, 1, this);
    progress.setWindowTitle(kManuscriptActionName);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const ManuscriptResult made =
        MakeManuscript(ui_, site, dialog.settings, [&progress](int done, int pages) {
            progress.setMaximum(pages);
            progress.setValue(done);
        });
    progress.reset();
    if (made.outcome == ManuscriptOutcome::kWritten) {
        statusBar()->showMessage(QString::fromStdString(made.path + "を作成しました。"));
    }
}

void CMainFrame::Upload() {
    CFileSystem& book = ActiveChild()->Document().FileSystem();
    // Only what this session's build wrote is sent: an older site may not match the book.
    if (!CheckUploadable(ui_, book.TopPagePath())) {
        return;
    }
    CUploadDlg dialog(ui_, book, profile_, std::make_unique<CurlFtpClient>(), this);
    dialog.Run();
}

void CMainFrame::ShowPage(const std::string& path) {
    if (!desktop_.OpenWithDefaultProgram(path)) {
        ui_.ShowMessage(kCannotShowPageMessage + path);
    }
}

void CMainFrame::About() {
    QDialog dialog(this);
    dialog.setWindowTitle("folixのﾊﾞｰｼﾞｮﾝ情報");
    auto* layout = new QHBoxLayout(&dialog);
    auto* icon = new QLabel(&dialog);
    icon->setPixmap(windowIcon().pixmap(32, 32));
    layout->addWidget(icon);
    // The version the build gives the program, as --version and the package show it.
    layout->addWidget(new QLabel("folix Version " FOLIX_VERSION, &dialog), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

QString CMainFrame::ManualPath() {
    // The program the writer started is argv[0]: `folix` passes its own path when it starts the
    // window program, which is installed elsewhere.
    const QStringList arguments = QCoreApplication::arguments();
    const QFileInfo program(arguments.isEmpty() ? QCoreApplication::applicationFilePath()
                                                : arguments.first());
    return program.absolutePath() + "/" + program.completeBaseName() + ".htm";
}

// Each book window is asked in turn; one the writer keeps (キャンセル, or a save that failed)
// keeps the program running, with the windows not yet asked untouched.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool may_be_shortcut = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) ||
                                     (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F35);
        if (may_be_shortcut && widget != nullptr && widget->window() == this) {
            UpdateCommandStates();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (QMdiSubWindow* window : mdi_area_->subWindowList()) {
        if (!window->close()) {
            event->ignore();
            return;
        }
    }
    focus_mode_->Leave();
    RememberWindow(*this, profile_);
    event->accept();
}

CFindReplaceDlg& CMainFrame::FindDialog() {
    if (find_dialog_ == nullptr) {
        find_dialog_ = new CFindReplaceDlg(
            ui_,
            [this]() -> EditorControl* {
                return ActiveChild() ? &ActiveChild()->Editor().Control() : nullptr;
            },
            [this] {
                if (CChildFrame* child = ActiveChild()) {
                    child->BringCaretIntoView();
                }
            },
            this);
    }
    return *find_dialog_;
}

// The selected text starts the find, when it is on one line; otherwise the last find text.
QString CMainFrame::FindSeed() const {
    CChildFrame* child = ActiveChild();
    const QString selected = child ? child->Editor().textCursor().selectedText() : QString();
    return selected.contains(QChar::ParagraphSeparator) ? QString() : selected;
}

bool CMainFrame::CommitSession(bool may_ask) {
    for (CChildFrame* child : Children()) {
        if (!may_ask) {
            child->Document().KeepRecoveryCopy();
        } else if (!child->QueryClose()) {
            return false;
        }
    }
    return true;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            OpenDocument(url.toLocalFile().toStdString());
        }
    }
    event->acceptProposedAction();
}

}  // namespace folix::gui
