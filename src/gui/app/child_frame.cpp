#include "gui/app/child_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextDocument>
#include <QTimer>

#include <filesystem>

#include "book/path_parts.h"
#include "gui/book/count_status.h"
#include "gui/book/folix_doc.h"
#include "gui/book/place_keeper.h"
#include "gui/book/tree_view.h"
#include "gui/editor/editor_view.h"
#include "gui/editor/find_bar.h"
#include "gui/editor/vertical_view.h"
#include "model/find_bar_model.h"
#include "notation/notation_options.h"

namespace folix::gui {

CChildFrame::CChildFrame(Ui& ui, Desktop& desktop, Profile& profile, QWidget* parent)
    : QWidget(parent), document_(new CFolixDoc(ui, desktop, profile, this)) {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    tree_ = new CLeftView(*document_, splitter_);
    // Both editors stay in the pane over one document; vertical writing shows the second.
    editor_stack_ = new QStackedWidget(splitter_);
    editor_ = new CFolixView(editor_stack_);
    vertical_ = new VerticalView(*editor_, editor_stack_);
    editor_stack_->addWidget(editor_);
    editor_stack_->addWidget(vertical_);
    document_->SetEditor(editor_);
    count_status_ = new CountStatus(*document_, *editor_, this);
    place_keeper_ = new PlaceKeeper(*document_, *editor_, *tree_, this);
    connect(count_status_, &CountStatus::TextChanged, this, &CChildFrame::StatusTextChanged);
    splitter_->addWidget(tree_);
    splitter_->addWidget(editor_stack_);
    splitter_->setCollapsible(0, true);
    splitter_->setCollapsible(1, false);
    splitter_->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    connect(tree_, &CLeftView::TreeWidthWanted, this, &CChildFrame::SetTreeWidth);
    // The writer's own width is remembered; closing the pane (width 0) keeps the old one.
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        const int width = GetTreeWidth();
        if (width > 0 && document_->FileSystem().HasTree()) {
            document_->FileSystem().Options().m_nTreeWidth = width;
        }
    });
    connect(document_, &CFolixDoc::PathNameChanged, this, &CChildFrame::UpdateTitle);
    // Each of the editor's two documents tells when its text is changed or saved.
    const auto watch_modified = [this] {
        connect(editor_->document(), &QTextDocument::modificationChanged, this,
                &CChildFrame::UpdateTitle, Qt::UniqueConnection);
        UpdateTitle();
    };
    connect(editor_, &CFolixView::DocumentSwitched, this, watch_modified);
    watch_modified();
    connect(tree_, &CLeftView::LabelEditEnded, this, &CChildFrame::UpdateTitle);
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &CChildFrame::SwitchPane);
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QWidget* walk = now; walk != nullptr; walk = walk->parentWidget()) {
            if (walk == tree_) {
                active_pane_ = Pane::kTree;
                return;
            }
            if (walk == editor_ || walk == vertical_) {
                active_pane_ = Pane::kEditor;
                return;
            }
        }
    });
}

// The bar goes with the editor it works on; it stores its histories while the book is still here.
CChildFrame::~CChildFrame() {
    if (find_bar_) {
        find_bar_->OnCancel();
    }
}

bool CChildFrame::Open(const std::string& path) {
    if (!document_->OnOpenDocument(path)) {
        return false;
    }
    tree_->OnInitialUpdate();
    UpdateTitle();
    if (document_->FileSystem().HasTree()) {
        const std::string& root = document_->FileSystem().Tree().GetRootPath();
        ApplyUprightDigits(LoadNotationOptions(document_->GetUi(), root).upright_digits);
        ApplyVertical();
        // The book opens where the writer left it, in the file and at the caret.
        place_keeper_->Restore();
    }
    count_status_->Reload();
    return true;
}

bool CChildFrame::IsBook(const std::string& book_file) const {
    const CFileSystem& book = document_->FileSystem();
    std::error_code error;
    return book.HasTree() &&
           std::filesystem::equivalent(book.Tree().BookFilePath(), book_file, error) && !error;
}

QWidget& CChildFrame::ShownEditor() {
    return *editor_stack_->currentWidget();
}

void CChildFrame::ApplyVertical() {
    QTextDocument* text = editor_->document();
    const bool modified = text->isModified();
    const bool had_focus = ShownEditor().hasFocus();
    editor_stack_->setCurrentWidget(document_->FileSystem().Options().m_bVertical
                                        ? static_cast<QWidget*>(vertical_)
                                        : editor_);
    BringCaretIntoView();
    // Once more when the pane has its size: a view shown for the first time has none yet.
    QTimer::singleShot(0, this, &CChildFrame::BringCaretIntoView);
    if (had_focus) {
        ShownEditor().setFocus();
    }
    text->setModified(modified);
}

void CChildFrame::BringCaretIntoView() {
    if (editor_stack_->currentWidget() == vertical_) {
        vertical_->BringCaretIntoView();
    } else {
        editor_->BringCaretIntoView();
    }
}

// The direction is the book's at once, not only when the window closes: a crash keeps it.
void CChildFrame::ToggleVertical() {
    CFileSystem& book = document_->FileSystem();
    book.Options().m_bVertical = !book.Options().m_bVertical;
    ApplyVertical();
    if (book.HasTree()) {
        book.SaveOptions();
    }
}

void CChildFrame::ApplyUprightDigits(int digits) {
    editor_->SetUprightDigits(digits);
    vertical_->viewport()->update();
}

void CChildFrame::SwitchPane() {
    if (tree_->hasFocus() || tree_->isAncestorOf(QApplication::focusWidget())) {
        ShownEditor().setFocus(Qt::ShortcutFocusReason);
        active_pane_ = Pane::kEditor;
    } else {
        if (GetTreeWidth() == 0) {
            ToggleTreePane();  // a hidden tree comes back to take the keys
        }
        tree_->setFocus(Qt::ShortcutFocusReason);
        active_pane_ = Pane::kTree;
    }
}

int CChildFrame::GetTreeWidth() const {
    return splitter_->sizes().value(0);
}

void CChildFrame::SetTreeWidth(int width) {
    const int total = std::max(splitter_->width(), width + 200);
    splitter_->setSizes({width, std::max(total - width, 1)});
}

void CChildFrame::ToggleTreePane() {
    CFileSystem& book = document_->FileSystem();
    if (!book.HasTree()) {
        return;
    }
    SetTreeWidth(GetTreeWidth() != 0 ? 0 : book.Options().m_nTreeWidth);
}

QString CChildFrame::Title() const {
    const CFileSystem& book = document_->FileSystem();
    const QString file = QString::fromStdString(FileNamePart(document_->PathName()));
    if (!book.HasTree()) {
        return file;
    }
    const QString name = QString::fromStdString(TitlePart(book.Tree().m_strBookFileName));
    if (document_->PathName() == kPlaceholderPathName ||
        document_->PathName() == book.Tree().BookFilePath()) {
        return name;
    }
    // The unsaved changes show in the title and the tab, as the writer expects of an editor.
    return name + " - " + file + (document_->IsModified() ? " *" : "");
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(Title());
    emit TitleChanged(Title());
}

bool CChildFrame::QueryClose() {
    return closed_ || document_->SaveModified();
}

void CChildFrame::CloseDocument() {
    if (!closed_) {
        closed_ = true;
        place_keeper_->KeepNow();
        document_->OnCloseDocument();
    }
    if (find_bar_) {
        find_bar_->OnCancel();
    }
}

CFindBar* CChildFrame::FindBar() const {
    return find_bar_;
}

void CChildFrame::OpenFindBar() {
    if (!document_->FileSystem().RequireTree(kFindBarAction)) {
        return;
    }
    if (find_bar_) {
        find_bar_->raise();
        find_bar_->activateWindow();
        return;
    }
    find_bar_ = new CFindBar(document_->FileSystem(), *editor_);
    find_bar_->SetLanded([this] { BringCaretIntoView(); });
    connect(find_bar_, &CFindBar::Closed, this, [this] { find_bar_ = nullptr; });
    find_bar_->show();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!QueryClose()) {
        event->ignore();
        return;
    }
    CloseDocument();
    event->accept();
}

}  // namespace folix::gui
