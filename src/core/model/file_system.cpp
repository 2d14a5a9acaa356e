#include "model/file_system.h"

#include <string_view>

#include "book/book_files.h"
#include "epub/epub_builder.h"
#include "platform/document_host.h"
#include "rtf/book_text.h"
#include "site/html_builder.h"
#include "site/text_builder.h"

namespace folix {

CFileSystem::CFileSystem(Ui& ui, DocumentHost* host, Desktop* desktop, Profile* profile)
    : ui_(ui),
      host_(host),
      tree_(ui),
      refresh_(tree_),
      creator_(tree_, refresh_),
      deleter_(tree_, refresh_, desktop, host),
      mover_(tree_, refresh_, host),
      drag_(tree_, mover_, host),
      renamer_(tree_, host, profile),
      search_(tree_, refresh_, options_, host) {}

void CFileSystem::AttachBook(TreeControl& tree, const std::string& book_path) {
    if (tree_.HasTree()) {
        return;
    }
    tree_.AttachBook(tree, book_path);
    if (tree_.HasTree()) {
        tree.SetExpandingHandler(
            [this](TreeItem item, bool expand) { return GuardExpanding(item, expand); });
    }
}

void CFileSystem::LoadOptions() {
    LoadFont();
    LoadOptionsFile();
}

void CFileSystem::LoadOptionsFile() {
    options_ = LoadBookOptions(ui_, tree_.m_strRootPath);
}

void CFileSystem::ApplyFont() {
    if (editor_ != nullptr) {
        font_.ApplyFont(*editor_);
    }
}

bool CFileSystem::SaveOptions() {
    return SaveBookOptions(ui_, tree_.m_strRootPath, options_);
}

void CFileSystem::LoadHtmlOptions() {
    html_options_ = folix::LoadHtmlOptions(ui_, tree_.m_strRootPath);
}

bool CFileSystem::SaveHtmlOptions() {
    return folix::SaveHtmlOptions(ui_, tree_.m_strRootPath, html_options_);
}

void CFileSystem::ChangeFont(const LogFont& record, uint32_t color) {
    font_.m_logFont = record;
    font_.m_crTextColor = color;
    ApplyFont();
    if (HasTree()) {
        SaveFont();
    }
}

void CFileSystem::ChangeMargins(int left, int right, int top, int bottom) {
    font_.m_nMarginLeft = left;
    font_.m_nMarginRight = right;
    font_.m_nMarginTop = top;
    font_.m_nMarginBottom = bottom;
    ApplyFont();
    if (HasTree()) {
        SaveFont();
    }
}

BuildOutcome CFileSystem::MakeHtml() {
    if (!RequireTree("HTML作成")) {
        return BuildOutcome::kRefused;
    }
    HtmlBuilder builder(ui_, SiteBookOf());
    const BuildOutcome outcome = builder.MakeHtml(html_options_, [this] { ResetTree(); });
    built_files_ = builder.written();
    if (outcome != BuildOutcome::kRefused) {
        site_paths_ = builder.paths();
        refresh_.ReloadFolder(tree_.m_hRootItem);
    }
    return outcome;
}

BuildOutcome CFileSystem::MakeText() {
    if (!RequireTree("TEXT作成")) {
        return BuildOutcome::kRefused;
    }
    TextBuilder builder(ui_, SiteBookOf());
    const BuildOutcome outcome = builder.MakeText(options_, [this] { ResetTree(); });
    built_files_.clear();
    if (!builder.written().empty()) {
        built_files_.push_back(builder.written());
    }
    return outcome;
}

BuildOutcome CFileSystem::MakeEpub(EpubSettings& settings) {
    if (!RequireTree(kEpubActionName)) {
        return BuildOutcome::kRefused;
    }
    EpubBuilder builder(ui_, SiteBookOf());
    const BuildOutcome outcome =
        builder.MakeEpub(settings, options_.m_bVertical, [this] { ResetTree(); });
    built_files_.clear();
    if (!builder.written().empty()) {
        built_files_.push_back(builder.written());
    }
    return outcome;
}

SiteBook CFileSystem::SiteBookOf() {
    return SiteBook{tree_.m_strRootPath, tree_.m_strParentPath,
                    [this](Ui&, const std::string& path, std::string& text) {
                        return ReadFileText(path, text);
                    }};
}

void CFileSystem::ApplyMultiFolderMode() {
    if (options_.m_bMultiFolder) {
        refresh_.ReloadFolder(tree_.m_hRootItem);
    }
}

void CFileSystem::OpenInEditor(const std::string& path) {
    if (host_ == nullptr) {
        return;
    }
    if (host_->AskSaveIfModified()) {
        host_->OpenDocument(path);
    }
}

bool CFileSystem::ReadFileText(const std::string& path, std::string& text) {
    if (!ReadBookFileText(ui_, path, text)) {
        return false;
    }
    if (host_ != nullptr && IsRtfFile(ui_, path) == RtfCheck::kRtf) {
        OpenInEditor(path);
    }
    return true;
}

bool CFileSystem::GuardExpanding(TreeItem item, bool expand) {
    if (tree_.IsExpandLocked()) {
        return true;
    }
    refresh_.OnItemexpanding(item, expand);
    return false;
}

}  // namespace folix
