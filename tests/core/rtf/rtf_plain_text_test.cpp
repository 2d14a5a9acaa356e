#include "rtf/rtf_plain_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "rtf/rtf_reader.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

// The companions were written with LF line ends; ours are CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

// Words as the companions spell them: their table cells end in '|' where ours are tab-separated.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '|') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(testing::CorpusPath("rtf"))) {
        if (entry.path().extension() == ".rtf") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Each paragraph is a line: the companions hold one line per paragraph mark.
TEST(RtfPlainText, CorpusFilesGiveExactlyTheirText) {
    FOLIX_SKIP_WITHOUT_CORPUS();
    for (const char* name :
         {"hello", "french", "unicode", "line_break_textedit_mac", "test_line_breaks_google_docs",
          "TX_RTF32_18.0.541.501", "ansicpg1250", "issue_11", "issue_15"}) {
        SCOPED_TRACE(name);
        std::string rtf =
            testing::ReadBytes(testing::CorpusPath(std::string("rtf/") + name + ".rtf"));
        std::string txt =
            testing::ReadBytes(testing::CorpusPath(std::string("rtf/") + name + ".txt"));
        EXPECT_EQ(RtfPlainText(rtf), WithCrLf(txt));
    }
}

TEST(RtfPlainText, EveryCorpusFileKeepsEveryWordInOrder) {
    FOLIX_SKIP_WITHOUT_CORPUS();
    std::vector<std::string> names = CorpusFiles();
    ASSERT_GE(names.size(), 11u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string rtf = testing::ReadBytes(testing::CorpusPath("rtf/" + name + ".rtf"));
        std::string txt = testing::ReadBytes(testing::CorpusPath("rtf/" + name + ".txt"));
        std::string text = RtfPlainText(rtf);
        size_t pos = 0;
        for (const std::string& word : Words(txt)) {
            size_t found = text.find(word, pos);
            ASSERT_NE(found, std::string::npos) << "missing after byte " << pos << ": " << word;
            pos = found + word.size();
        }
    }
}

}  // namespace
}  // namespace folix
