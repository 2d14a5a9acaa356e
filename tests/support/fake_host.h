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
    // Asked only while modified, as the window asks; the writer says Yes, and the save works
    // unless the test made it fail.
    bool AskSaveIfModified() override {
        if (!modified) {
            return true;
        }
        ++save_questions;
        modified = save_fails;
        return !save_fails;
    }
    bool IsModified() const override { return modified; }
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        document_path = path;
        return true;
    }
    void EmptyDocument() override {
        ++emptied;
        document_path.clear();
    }
    std::string DocumentPath() const override { return document_path; }
    void SetDocumentPath(const std::string& path) override { document_path = path; }
    std::vector<std::string> OtherBookRootPaths() const override { return other_roots; }

    bool modified = false;
    bool save_fails = false;
    std::string document_path;
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
        std::filesystem::rename(
            path, trash_ + "/" + std::filesystem::path(path).filename().string(), error);
        trashed.push_back(path);
        return error ? error.value() : 0;
    }
    bool OpenWithDefaultProgram(const std::string&) override { return false; }

    std::vector<std::string> trashed;

private:
    std::string trash_;
};

}  // namespace folix::testing
