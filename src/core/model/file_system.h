#pragma once

#include <optional>
#include <string>

#include "book/book_options.h"
#include "book/book_tree.h"
#include "editing/diary_date.h"
#include "editing/font_settings.h"
#include "editing/search_history.h"
#include "epub/epub_settings.h"
#include "model/tree_search.h"
#include "site/build_outcome.h"
#include "site/html_options.h"
#include "site/site_book.h"
#include "treeedit/folder_refresh.h"
#include "treeedit/item_creator.h"
#include "treeedit/item_deleter.h"
#include "treeedit/item_mover.h"
#include "treeedit/item_renamer.h"
#include "treeedit/tree_drag.h"

namespace folix {

class Desktop;
class DocumentHost;
class EditorControl;
class Profile;
class Ui;

// The book model of one window: the book's paths and options and the collaborators that do the
// work (the tree binding, the folder refresh, the tree edits, the tree search). It forwards the
// commands of the window to them; the collaborators are tested on their own.
class CFileSystem {
public:
    // The host, desktop and profile may be absent (the command line has no editor, trash or
    // recent-file list); what needs them then does nothing.
    CFileSystem(Ui& ui, DocumentHost* host, Desktop* desktop, Profile* profile);
    CFileSystem(const CFileSystem&) = delete;
    CFileSystem& operator=(const CFileSystem&) = delete;

    void AttachBook(TreeControl& tree, const std::string& book_path);
    bool HasTree() const { return tree_.HasTree(); }
    bool RequireTree(const std::string& action) const { return tree_.RequireTree(action); }
    bool CheckSearchLock() const { return tree_.CheckSearchLock(); }
    bool IsExpandLocked() const { return tree_.IsExpandLocked(); }

    // The font first, then "options.flc".
    void LoadOptions();
    // "options.flc" alone, for the command line, which shows no text.
    void LoadOptionsFile();
    bool SaveOptions();
    void ApplyMultiFolderMode();
    void SetMultiOpenStyle(bool multi_open) { tree_.SetMultiOpenStyle(multi_open); }

    void LoadHtmlOptions();
    bool SaveHtmlOptions();
    // The one way into the whole-book builds, for the window and the command line alike.
    // The site beside the book folder, from the book's templates; the root folder is refreshed
    // afterwards so that templates made by the build show in the tree.
    BuildOutcome MakeHtml();
    // The whole book as one text file beside the book folder.
    BuildOutcome MakeText();
    // The book as an e-book beside the book folder, in the book's own writing direction unless
    // the settings choose one.
    BuildOutcome MakeEpub(EpubSettings& settings);
    // The files the last build wrote, in the order written.
    const std::vector<std::string>& BuiltFiles() const { return built_files_; }

    void OpenInEditor(const std::string& path);
    // The plain text of a book file; a rich-text file is also opened in the editor.
    bool ReadFileText(const std::string& path, std::string& text);

    // The tree's expanding notice; true refuses the change.
    bool GuardExpanding(TreeItem item, bool expand);
    void OnItemexpanding(TreeItem item, bool expand) { refresh_.OnItemexpanding(item, expand); }
    void ReloadFolder(TreeItem item) { refresh_.ReloadFolder(item); }
    TreeItem RevealPath(const std::string& path) { return refresh_.RevealPath(path); }

    // Context-menu commands, on m_hContextItem.
    // Each returns the path of the file or folder it made, empty when it made none.
    std::string NewFile() { return creator_.NewFile(m_hContextItem); }
    std::string NewFolder() { return creator_.NewFolder(m_hContextItem); }
    std::string AddFile(const std::string& extension) {
        return creator_.AddFile(m_hContextItem, extension);
    }
    std::string AddFolder() { return creator_.AddFolder(m_hContextItem); }
    void Delete() { deleter_.Delete(m_hContextItem); }

    void OnBegindrag(TreeItem item) { drag_.OnBegindrag(item); }
    void OnMouseMove(TreeItem item_under_pointer) { drag_.OnMouseMove(item_under_pointer); }
    void OnLButtonUp() { drag_.OnLButtonUp(); }
    void MoveItem(TreeItem dragged, TreeItem target) { mover_.MoveItem(dragged, target); }

    void FinishLabelEdit(TreeItem item, const std::optional<std::string>& text) {
        renamer_.FinishLabelEdit(item, text);
    }

    // Where delete, move and rename keep the versions of the files they touch (the window's
    // history); none by default.
    void SetVersionRecorder(VersionRecorder* recorder) {
        deleter_.SetVersionRecorder(recorder);
        mover_.SetVersionRecorder(recorder);
        renamer_.SetVersionRecorder(recorder);
    }

    // The window's editor: the book's font goes into it, and the whole-word tree search opens
    // each file in it.
    void SetEditor(EditorControl* editor) {
        editor_ = editor;
        search_.SetEditor(editor);
    }
    EditorControl* Editor() const { return editor_; }

    // The book's font, colour and margins ("font.flc").
    void LoadFont() { font_.LoadFont(ui_, tree_.m_strRootPath); }
    bool SaveFont() { return font_.SaveFont(ui_, tree_.m_strRootPath); }
    // Font and margins into the editor; nothing before the book's font was loaded.
    void ApplyFont();
    // A confirmed font chooser or margins dialog: the book takes the values, the editor shows
    // them and "font.flc" keeps them (a window without a book has no folder to keep them in).
    void ChangeFont(const LogFont& record, uint32_t color);
    void ChangeMargins(int left, int right, int top, int bottom);
    FontSettings& Font() { return font_; }
    const FontSettings& Font() const { return font_; }

    // Today as the diary writes it, by the book's clock (the computer's unless a test pinned it).
    std::string DiaryDate() const { return DiaryDateText(clock_()); }
    void SetDiaryClock(DiaryClock clock) { clock_ = std::move(clock); }
    // The tree search; an empty text only resets the tree.
    void SearchTree(const std::string& text) { search_.SearchTree(text); }
    void ResetTree() { search_.ResetTree(); }
    TreeItem NextItem(TreeItem item) const { return search_.NextItem(item); }
    bool LoadHistory(HistoryKind kind, std::vector<std::string>& list) {
        return folix::LoadHistory(ui_, tree_.m_strRootPath, kind, list);
    }
    bool StoreHistory(HistoryKind kind, const std::vector<std::string>& list) {
        return folix::StoreHistory(ui_, tree_.m_strRootPath, kind, list);
    }

    BookTree& Tree() { return tree_; }
    const BookTree& Tree() const { return tree_; }
    const TreeDrag& Drag() const { return drag_; }
    BookOptions& Options() { return options_; }
    HtmlOptions& GetHtmlOptions() { return html_options_; }
    // The paths the last HTML build since the book opened wrote; m_strTopPagePath is the main
    // page the browser and the upload start from.
    const SiteFilePaths& SitePaths() const { return site_paths_; }
    const std::string& TopPagePath() const { return site_paths_.main_page; }
    Ui& GetUi() const { return ui_; }
    // The book's folders for a job that reads its files as they are on disk (the counts, the
    // episodes, the manuscript), not through the editor as the builds do.
    SiteBook BookOnDisk() const { return SiteBook{tree_.m_strRootPath, tree_.m_strParentPath}; }

    TreeItem m_hContextItem = kNoItem;

private:
    SiteBook SiteBookOf();

    Ui& ui_;
    DocumentHost* host_;
    BookTree tree_;
    BookOptions options_;
    HtmlOptions html_options_;
    FontSettings font_;
    EditorControl* editor_ = nullptr;
    DiaryClock clock_ = LocalToday;
    SiteFilePaths site_paths_;
    std::vector<std::string> built_files_;
    FolderRefresh refresh_;
    ItemCreator creator_;
    ItemDeleter deleter_;
    ItemMover mover_;
    TreeDrag drag_;
    ItemRenamer renamer_;
    TreeSearch search_;
};

}  // namespace folix
