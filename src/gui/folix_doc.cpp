#include "gui/folix_doc.h"

#include <QTextDocument>

#include <algorithm>

#include "book/book_files.h"
#include "book/editor_file.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/recent_files.h"
#include "book/system_error.h"
#include "editing/rtf_reader.h"
#include "editing/rtf_writer.h"
#include "gui/editor_view.h"
#include "gui/rich_text_mapper.h"
#include "platform/ui.h"

namespace folix::gui {
namespace {

std::vector<CFolixDoc*>& Registry() {
    static std::vector<CFolixDoc*> documents;
    return documents;
}

// The editor holds lines ended by paragraph marks; the file keeps the line ends it came with.
std::string FileLineEnd(const std::string& text) {
    size_t lf = text.find('\n');
    if (lf == std::string::npos) {
        return "\r\n";  // a new or one-line file gets the ends the builds cut at
    }
    return lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

QString ToEditorText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace("\r\n", "\n");
    return result;
}

std::string FromEditorText(const QTextDocument& document, const std::string& line_end) {
    QString raw = document.toRawText();
    raw.replace(QChar(QChar::ParagraphSeparator), QChar('\n'));
    raw.replace(QChar(QChar::LineSeparator), QChar('\n'));
    std::string text = raw.toStdString();
    if (line_end == "\n") {
        return text;
    }
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            result += line_end;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

CFolixDoc::CFolixDoc(Ui& ui, Desktop& desktop, Profile& profile, QObject* parent)
    : QObject(parent),
      ui_(ui),
      desktop_(desktop),
      profile_(profile),
      file_system_(ui, this, &desktop, &profile) {
    Registry().push_back(this);
}

CFolixDoc::~CFolixDoc() {
    std::erase(Registry(), this);
}

const std::vector<CFolixDoc*>& CFolixDoc::OpenDocuments() {
    return Registry();
}

void CFolixDoc::SetEditor(CFolixView* editor) {
    editor_ = editor;
    file_system_.SetEditor(editor != nullptr ? &editor->Control() : nullptr);
}

bool CFolixDoc::IsEditorReadOnly() const {
    return editor_ == nullptr || editor_->isReadOnly();
}

void CFolixDoc::SetPathName(const std::string& path) {
    path_name_ = path;
    emit PathNameChanged(QString::fromStdString(path));
}

void CFolixDoc::EmptyDocument() {
    if (editor_ != nullptr) {
        editor_->clear();
        editor_->document()->setModified(false);
        editor_->setReadOnly(true);
    }
    SetPathName(kPlaceholderPathName);
}

bool CFolixDoc::LoadIntoEditor(const std::string& path) {
    EditorFile file;
    if (!ReadEditorFile(ui_, path, file)) {
        return false;
    }
    bool keeps_everything = file.clean;
    m_bRTF = file.rtf;
    encoding_ = file.encoding;
    if (file.rtf) {
        RtfReadResult read = ReadRtf(file.text);
        editor_->setAcceptRichText(true);
        FillTextDocument(read.document, *editor_->document());
        if (!read.KeepsEverything()) {
            keeps_everything = false;
            ui_.ShowNotice(kUnkeptContentNotice);
        }
    } else {
        line_end_ = FileLineEnd(file.text);
        editor_->SetPlainFileText(ToEditorText(file.text));
        if (!file.clean) {
            ui_.ShowNotice(kUndecodableFileNotice);
        }
    }
    editor_->document()->setModified(false);
    editor_->setReadOnly(!(IsEditableName(path) && keeps_everything));
    return true;
}

bool CFolixDoc::OnOpenDocument(const std::string& path) {
    EmptyDocument();
    if (editor_ == nullptr) {
        return false;
    }
    file_system_.ApplyFont();
    if (IsRtfFile(ui_, path) == RtfCheck::kCannotOpen) {
        return false;
    }
    editor_->setUpdatesEnabled(false);
    const bool loaded = LoadIntoEditor(path);
    editor_->setUpdatesEnabled(true);
    if (!loaded) {
        editor_->clear();
        editor_->setReadOnly(true);
        return false;
    }
    CheckFileInUse(path);
    SetPathName(path);
    ReplaceRecentFile(profile_, "", path);
    return true;
}

void CFolixDoc::CheckFileInUse(const std::string& path) {
    for (CFolixDoc* other : Registry()) {
        if (other != this && other->PathName() == path && !other->IsEditorReadOnly()) {
            editor_->setReadOnly(true);
            ui_.ShowMessage(kFileInUseMessage);
            return;
        }
    }
}

bool CFolixDoc::OnSaveDocument() {
    if (editor_ == nullptr || IsEditorReadOnly() || path_name_ == kPlaceholderPathName) {
        return false;
    }
    bool saved = false;
    if (m_bRTF) {
        const std::string rtf = WriteRtf(ReadTextDocument(*editor_->document()));
        int error = WriteFileAtomically(path_name_, rtf);
        if (error != 0) {
            ShowCannotOpen(ui_, path_name_, error);
        }
        saved = error == 0;
    } else {
        saved = SaveEditorText(ui_, path_name_, FromEditorText(*editor_->document(), line_end_),
                               encoding_);
    }
    if (saved) {
        editor_->document()->setModified(false);
    }
    return saved;
}

bool CFolixDoc::IsModified() const {
    return editor_ != nullptr && editor_->document()->isModified();
}

void CFolixDoc::AskSaveIfModified() {
    if (!IsModified()) {
        return;
    }
    if (ui_.AskYesNo(TitlePart(path_name_) + kAskSaveSuffix)) {
        OnSaveDocument();
    }
}

void CFolixDoc::OnCloseDocument() {
    AskSaveIfModified();
    if (file_system_.HasTree()) {
        file_system_.SaveOptions();
    }
}

std::vector<std::string> CFolixDoc::OtherBookRootPaths() const {
    std::vector<std::string> roots;
    for (const CFolixDoc* other : Registry()) {
        if (other != this && other->FileSystem().HasTree()) {
            roots.push_back(other->FileSystem().Tree().GetRootPath());
        }
    }
    return roots;
}

}  // namespace folix::gui
