#pragma once

#include <string>
#include <vector>

namespace folix {

// What the book model needs from the document of its window: the file in the editor.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // When the editor's file has unsaved changes, asks whether to save them (and saves on Yes).
    // False when the writer cancelled, or chose to save and the save failed: whatever asked must
    // stop and leave everything as it was, or the text would be lost.
    virtual bool AskSaveIfModified() = 0;
    virtual bool IsModified() const = 0;
    // Opens the file in the editor, as selecting it in the tree does.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Empties the editor, which then holds no file and is read-only.
    virtual void EmptyDocument() = 0;
    // The file the editor holds; empty or a placeholder when it holds none.
    virtual std::string DocumentPath() const = 0;
    // The editor's file now lives at this path (a tree edit moved it or a folder above it); the
    // text in the editor stays as it is.
    virtual void SetDocumentPath(const std::string& path) = 0;
    // The book folders of the other open book windows.
    virtual std::vector<std::string> OtherBookRootPaths() const = 0;
};

}  // namespace folix
