#pragma once

#include <string>
#include <string_view>

namespace folix::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + relative
    std::string operator/(std::string_view relative) const;

private:
    std::string path_;
};

// Small file helpers for arranging and checking a test's files.
void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
void MakeFolder(const std::string& path);
bool Exists(const std::string& path);

// The CP932 bytes of a UTF-8 text (the test fails if it has no CP932 form).
std::string Cp932(std::string_view utf8);

// Path of a file in the shared corpus of real-world files. The corpus stays outside the
// project (other programs and other people wrote its files) and lies only beside our own
// checkouts; a test that reads it starts with FOLIX_SKIP_WITHOUT_CORPUS().
std::string CorpusPath(std::string_view relative);
// Empty when the corpus is there; otherwise one line naming the folder that is missing.
std::string MissingCorpus();

}  // namespace folix::testing

#define FOLIX_SKIP_WITHOUT_CORPUS()                                                 \
    if (const std::string folix_missing_corpus = ::folix::testing::MissingCorpus(); \
        !folix_missing_corpus.empty())                                              \
    GTEST_SKIP() << folix_missing_corpus

namespace folix::testing {}  // namespace folix::testing
