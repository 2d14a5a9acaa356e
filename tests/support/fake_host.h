#pragma once

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/document_host.h"

namespace folix::testing {

// A document host that records what the book model asked of the editor.
class FakeDocumentHost : public DocumentHost {
public:
    void AskSaveIfModified() override {
        ++save_questions;
        modified = false;
    }
    bool IsModified() const override { return modified; }
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    void EmptyDocument() override { ++emptied; }
    std::vector<std::string> OtherBookRootPaths() const override { return other_roots; }

    bool modified = false;
    int save_questions = 0;
    int emptied = 0;
    std::vector<std::string> opened;
    std::vector<std::string> other_roots;
};

// A desktop whose trash is a folder of the test's own.
class FolderTrashDesktop : public Desktop {
public:
    explicit FolderTrashDesktop(std::string trash) : trash_(std::move(trash)) {}

    int MoveToTrash(const std::string& path) override {
        std::error_code error;
        std::filesystem::create_directories(trash_, error);
        std::filesystem::rename(path, trash_ + "/" + std::filesystem::path(path).filename().string(),
                                error);
        trashed.push_back(path);
        return error ? error.value() : 0;
    }
    bool OpenWithDefaultProgram(const std::string&) override { return false; }

    std::vector<std::string> trashed;

private:
    std::string trash_;
};

}  // namespace folix::testing
