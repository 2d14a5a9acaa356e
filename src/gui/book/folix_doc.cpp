#include "gui/book/folix_doc.h"

#include <QTextDocument>
#include <QTimer>

#include <algorithm>

#include "book/book_files.h"
#include "book/editor_file.h"
#include "book/file_io.h"
#include "book/line_ends.h"
#include "book/path_parts.h"
#include "book/recent_files.h"
#include "book/system_error.h"
#include "gui/book/recovery_keeper.h"
#include "gui/editor/editor_view.h"
#include "gui/editor/rich_text_mapper.h"
#include "platform/ui.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

namespace folix::gui {
namespace {

std::vector<CFolixDoc*>& Registry() {
    static std::vector<CFolixDoc*> documents;
    return documents;
}

// The editor holds lines ended by paragraph marks; the file keeps the line ends it came with,
// as its first line end shows them.
std::string FileLineEnd(const std::string& text) {
    const LineEnd end = FindLineEnd(text, 0);
    if (end.length == 0) {
        return "\r\n";  // a new or one-line file gets the ends the program writes
    }
    return text.substr(end.at, end.length);
}

// CR LF and a lone CR become LF in one pass over the decoded text, in place.
QString ToEditorText(const std::string& text) {
    QString result = QString::fromStdString(text);
    QChar* const begin = result.data();
    const QChar* const end = begin + result.size();
    QChar* kept = begin;
    for (const QChar* at = begin; at != end; ++at) {
        if (*at != u'\r') {
            *kept++ = *at;
        } else if (at + 1 == end || at[1] != u'\n') {
            *kept++ = u'\n';
        }
    }
    result.truncate(kept - begin);
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
      history_([this](const std::string& message) {
          emit StatusNotice(QString::fromStdString(message));
      }),
      file_system_(ui, this, &desktop, &profile) {
    file_system_.SetVersionRecorder(&history_);
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
    recovery_.reset();
    if (editor != nullptr) {
        recovery_ = std::make_unique<RecoveryKeeper>(
            *editor->document(), [this] { return RecoveryFolder(); },
            [this] { return CurrentRecoveryCopy(); });
        // A file of the other kind is held in the other widget's document.
        connect(editor, &CFolixView::DocumentSwitched, recovery_.get(),
                [this] { recovery_->Watch(*editor_->document()); });
    }
}

bool CFolixDoc::IsEditorReadOnly() const {
    return editor_ == nullptr || editor_->isReadOnly();
}

void CFolixDoc::SetPathName(const std::string& path) {
    path_name_ = path;
    emit PathNameChanged(QString::fromStdString(path));
}

void CFolixDoc::SetDocumentPath(const std::string& path) {
    SetPathName(path);
    KeepRecoveryCopy();  // the copy names the file where it is now
}

void CFolixDoc::KeepRecoveryCopy() {
    if (recovery_ != nullptr) {
        recovery_->WriteNow();
    }
}

std::string CFolixDoc::EditorText() const {
    if (m_bRTF) {
        return WriteRtf(ReadTextDocument(*editor_->document()));
    }
    return FromEditorText(*editor_->document(), line_end_);
}

std::string CFolixDoc::RecoveryFolder() const {
    return file_system_.HasTree() ? file_system_.Tree().m_strRootPath : ParentPath(path_name_);
}

std::optional<std::string> CFolixDoc::RecoveryRelativePath() const {
    const std::string folder = RecoveryFolder();
    if (IsEditorReadOnly() || folder.empty() || path_name_.rfind(folder + "/", 0) != 0) {
        return std::nullopt;
    }
    return path_name_.substr(folder.size() + 1);
}

std::optional<RecoveryCopy> CFolixDoc::CurrentRecoveryCopy() const {
    std::optional<std::string> relative = RecoveryRelativePath();
    if (!relative) {
        return std::nullopt;
    }
    return RecoveryCopy{std::move(*relative), m_bRTF, EditorText()};
}

// The editor's text is only written out when a copy of this file was left behind: a long file
// opens without being converted back for nothing.
void CFolixDoc::OfferRecoveredText() {
    const std::optional<std::string> relative = RecoveryRelativePath();
    if (!relative) {
        return;
    }
    const std::optional<RecoveryCopy> left = ReadRecoveryCopy(RecoveryFolder());
    if (!left || left->relative_path != *relative) {
        return;
    }
    if (left->rtf != m_bRTF || left->text == EditorText() ||
        !ui_.AskYesNo("「" + TitlePart(path_name_) + kOfferRecoverySuffix)) {
        RemoveRecoveryCopy(RecoveryFolder());
        return;
    }
    if (left->rtf) {
        FillTextDocument(ReadRtf(left->text).document, editor_->StartRichFile());
    } else {
        editor_->SetPlainFileText(ToEditorText(left->text));
    }
    editor_->document()->setModified(true);
    recovery_->Adopt();
}

void CFolixDoc::EmptyDocument() {
    declined_close_revision_.reset();
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
    bool writable = IsEditorWritable(path, file);
    m_bRTF = file.rtf;
    encoding_ = file.encoding;
    if (file.rtf) {
        RtfReadResult read = ReadRtf(file.text);
        FillTextDocument(read.document, editor_->StartRichFile());
        if (!read.KeepsEverything()) {
            writable = false;
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
    editor_->setReadOnly(!writable);
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
    OfferRecoveredText();
    return true;
}

bool CFolixDoc::OpenDocument(const std::string& path) {
    if (path == path_name_ && editor_ != nullptr) {
        return true;
    }
    return OnOpenDocument(path);
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
        int error = WriteFileAtomically(path_name_, EditorText());
        if (error != 0) {
            ShowCannotOpen(ui_, path_name_, error);
        }
        saved = error == 0;
    } else {
        saved = SaveEditorText(ui_, path_name_, EditorText(), encoding_);
    }
    if (saved) {
        editor_->document()->setModified(false);
        KeepVersion();
        emit Saved();
    }
    return saved;
}

// After the file is whole on disk: its very bytes become its newest version. Nothing of the
// history can fail the save, which is over by now.
void CFolixDoc::KeepVersion() {
    if (!file_system_.HasTree()) {
        return;
    }
    const std::string& root = file_system_.Tree().GetRootPath();
    const FileRead written = ReadWholeFile(path_name_);
    if (written.error == 0 && !BookRelativePath(root, path_name_).empty()) {
        history_.Saved(root, path_name_, written.bytes);
        // The packing waits for the window to be idle.
        QTimer::singleShot(kRepackDelayMs, this, [this, root] { history_.RepackIfNeeded(root); });
    }
}

bool CFolixDoc::IsModified() const {
    return editor_ != nullptr && editor_->document()->isModified();
}

// The writer who only misclicked takes it back with キャンセル: whatever asked stops and leaves
// the file, the tree and the editor as they were.
bool CFolixDoc::AskSaveIfModified() {
    return !IsModified() || AskToSave() != Ui::Answer::kCancel;
}

Ui::Answer CFolixDoc::AskToSave() {
    const Ui::Answer answer = ui_.AskYesNoCancel(TitlePart(path_name_) + kAskSaveSuffix);
    if (answer == Ui::Answer::kYes && !OnSaveDocument()) {
        return Ui::Answer::kCancel;  // the save failed: the text stays, and so does everything
    }
    return answer;
}

bool CFolixDoc::SaveModified() {
    const int revision = editor_ != nullptr ? editor_->document()->revision() : 0;
    if (!IsModified() || declined_close_revision_ == revision) {
        return true;
    }
    const Ui::Answer answer = AskToSave();
    if (answer == Ui::Answer::kNo) {
        declined_close_revision_ = revision;
    }
    return answer != Ui::Answer::kCancel;
}

// The writer has answered for the text by now; a copy kept for it goes with the window.
void CFolixDoc::OnCloseDocument() {
    if (recovery_ != nullptr) {
        recovery_->Discard();
    }
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
