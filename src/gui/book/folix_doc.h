#pragma once

#include <QObject>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "book/recovery_copy.h"
#include "book/text_encoding.h"
#include "history/history_keeper.h"
#include "model/file_system.h"
#include "platform/document_host.h"
#include "platform/ui.h"

namespace folix {
class Desktop;
class Profile;
}  // namespace folix

namespace folix::gui {

class CFolixView;
class RecoveryKeeper;

// The document of one book window. Its content is the file the editor holds at the moment (the
// book file right after the book opens, then whichever file the tree selects); it owns the
// book model of the window.
class CFolixDoc : public QObject, public DocumentHost {
    Q_OBJECT
public:
    CFolixDoc(Ui& ui, Desktop& desktop, Profile& profile, QObject* parent = nullptr);
    ~CFolixDoc() override;

    // The view the document loads into; the book's whole-word tree search uses it too.
    void SetEditor(CFolixView* editor);
    CFolixView* Editor() const { return editor_; }
    CFileSystem& FileSystem() { return file_system_; }
    // Every version of the book's files; the 履歴 dialog reads it.
    HistoryKeeper& History() { return history_; }
    const CFileSystem& FileSystem() const { return file_system_; }
    Ui& GetUi() const { return ui_; }
    Profile& GetProfile() const { return profile_; }
    Desktop& GetDesktop() const { return desktop_; }

    const std::string& PathName() const { return path_name_; }
    bool IsRtf() const { return m_bRTF; }
    bool IsEditorReadOnly() const;

    // Opens the file in the editor by the program's rules; false after the reason was shown.
    bool OnOpenDocument(const std::string& path);
    // Writes the editor's file whole, as RTF or in its own encoding.
    bool OnSaveDocument();
    // The question before the window closes (or the program quits, or the desktop logs out):
    // はい saves, いいえ gives the changes up, キャンセル keeps everything open. False when the
    // window must stay: cancelled, or the save failed (its message shown, the text kept).
    bool SaveModified();
    // Saves the options of a shown tree; the window is about to close.
    void OnCloseDocument();
    // Makes the editor read-only, with the message, when another window holds the file writable.
    void CheckFileInUse(const std::string& path);

    bool AskSaveIfModified() override;
    bool IsModified() const override;
    // The editor already holding the file keeps it as it is, unsaved changes included.
    bool OpenDocument(const std::string& path) override;
    void EmptyDocument() override;
    std::string DocumentPath() const override { return path_name_; }
    void SetDocumentPath(const std::string& path) override;
    std::vector<std::string> OtherBookRootPaths() const override;

    // The unsaved text goes to the book's recovery copy now, not after the pause in typing.
    void KeepRecoveryCopy();

    // Every open document of the application, in the order they were made.
    static const std::vector<CFolixDoc*>& OpenDocuments();

signals:
    void PathNameChanged(const QString& path);
    // The editor's text is on disk, at the path the document names.
    void Saved();
    // Something the status bar says once, such as a history that cannot be written.
    void StatusNotice(const QString& text);

private:
    void SetPathName(const std::string& path);
    // はい / いいえ / キャンセル about the changed file, saving on はい; a failed save answers
    // キャンセル, after its message.
    Ui::Answer AskToSave();
    void KeepVersion();
    bool LoadIntoEditor(const std::string& path);
    // The editor's text as a save would write it, before the file's encoding: UTF-8 or RTF.
    std::string EditorText() const;
    // Where the book keeps its recovery copy, and the copy of the editor's text as it stands.
    std::string RecoveryFolder() const;
    // The file's path inside the recovery folder, when the editor holds a writable file there.
    std::optional<std::string> RecoveryRelativePath() const;
    std::optional<RecoveryCopy> CurrentRecoveryCopy() const;
    // A copy left for the file just opened (by a crash) is offered back to the writer.
    void OfferRecoveredText();

    Ui& ui_;
    Desktop& desktop_;
    Profile& profile_;
    // Before the book model, which records the tree's deletes, moves and renames in it.
    HistoryKeeper history_;
    CFileSystem file_system_;
    CFolixView* editor_ = nullptr;
    std::string path_name_;
    bool m_bRTF = false;
    TextEncoding encoding_ = TextEncoding::kUtf8;
    std::string line_end_ = "\r\n";
    std::unique_ptr<RecoveryKeeper> recovery_;
    // The document's revision when the writer said いいえ to closing: asked once, not again
    // when the program quits right after.
    std::optional<int> declined_close_revision_;
};

inline constexpr char kPlaceholderPathName[] = "_";
// How long after a save the history may pack its loose objects.
inline constexpr int kRepackDelayMs = 5000;
inline constexpr char kFileInUseMessage[] = "このファイルは他の画面で使用中です。";
inline constexpr char kAskSaveSuffix[] = "は変更されています。保存しますか？";
inline constexpr char kOfferRecoverySuffix[] =
    "」には保存されていない変更が残っています。復元しますか？";

}  // namespace folix::gui
