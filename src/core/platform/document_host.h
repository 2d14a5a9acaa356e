#pragma once

#include <string>
#include <vector>

namespace folix {

// What the book model needs from the document of its window: the file in the editor.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // When the editor's file has unsaved changes, asks whether to save them (and saves on Yes).
    virtual void AskSaveIfModified() = 0;
    virtual bool IsModified() const = 0;
    // Opens the file in the editor, as selecting it in the tree does.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Empties the editor, which then holds no file and is read-only.
    virtual void EmptyDocument() = 0;
    // The book folders of the other open book windows.
    virtual std::vector<std::string> OtherBookRootPaths() const = 0;
};

}  // namespace folix
