#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "book/text_encoding.h"

namespace folix::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "folix-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder";
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Tests make folders read-only on purpose; give them back before removing.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

std::string TempFolder::operator/(std::string_view relative) const {
    return path_ + "/" + std::string(relative);
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out) << "cannot write " << path;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    EXPECT_FALSE(error) << "cannot make " << path;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::string Cp932(std::string_view utf8) {
    auto bytes = EncodeCp932(utf8);
    EXPECT_TRUE(bytes.has_value()) << "no CP932 form: " << utf8;
    return bytes.value_or(std::string());
}

std::string CorpusPath(std::string_view relative) {
    return std::string(FOLIX_CORPUS_DIR) + "/" + std::string(relative);
}

std::string MissingCorpus() {
    const std::filesystem::path folder = std::filesystem::path(FOLIX_CORPUS_DIR).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return {};
    }
    return "no corpus of real-world files at " + folder.string();
}

}  // namespace folix::testing
