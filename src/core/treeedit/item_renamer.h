#pragma once

#include <optional>
#include <string>

#include "platform/tree_control.h"
#include "platform/version_recorder.h"

namespace folix {

class BookTree;
class DocumentHost;
class Profile;

// Renaming an item by editing its label. The tree control never applies the typed text itself:
// the label changes here, once the disk has taken the new name.
class ItemRenamer {
public:
    ItemRenamer(BookTree& tree, DocumentHost* host, Profile* profile)
        : tree_(tree), host_(host), profile_(profile) {}

    // The end of a label edit as the tree view hands it over (text absent when cancelled):
    // the in-use test for folders, the save question, the rename with the editor's file
    // following it, and a renamed text or list file in the editor; a beep for the rest.
    void FinishLabelEdit(TreeItem item, const std::optional<std::string>& text);
    // The rename itself.
    void OnEndlabeledit(TreeItem item, const std::optional<std::string>& text);
    // Where the renamed files' versions are kept; none by default.
    void SetVersionRecorder(VersionRecorder* recorder) { recorder_ = recorder; }

private:
    void RenameBookFile(const std::string& old_root, const std::string& new_folder_name);

    BookTree& tree_;
    DocumentHost* host_;
    Profile* profile_;
    VersionRecorder* recorder_ = nullptr;
};

inline constexpr char kForbiddenNameCharacters[] = "\"\\|:*<.>/?";
inline constexpr char kForbiddenCharactersNotice[] = "次の半角文字は使えません。 ";
inline constexpr char kExtensionChangeNotice[] = "拡張子を変えることはできません。";
inline constexpr char kPathInUseMessage[] =
    "このパスは他の画面で使用中です。その画面を閉じてやり直してください。";

}  // namespace folix
