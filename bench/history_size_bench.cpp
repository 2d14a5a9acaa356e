// How much a year of saves of a novel takes in its history: a 300 KB novel saved 3,000 times,
// each save a small edit somewhere in the text, packed as the window packs it when idle. Prints
// the history's size on the disk at the end and at its largest, and the time a save took.
//
//   history_size_bench [FOLDER] [SAVES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "history/history_store.h"

namespace {

uintmax_t FolderBytes(const std::filesystem::path& folder) {
    uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            bytes += entry.file_size();
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path book = argc > 1 ? argv[1] : "history-bench-book";
    const int saves = argc > 2 ? std::atoi(argv[2]) : 3000;
    std::filesystem::remove_all(book);
    std::filesystem::create_directories(book);
    // 300 KB of text in paragraphs of a few hundred characters, from words of kana and kanji
    // drawn at random, so it packs no better than prose does.
    const std::string kana =
        "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわを"
        "ん";
    const std::string kanji =
        "日月火水木金土山川田人口目耳手足雨花草森林空海町村道春夏秋冬朝昼夜心体声色音";
    unsigned seed = 1;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    auto word = [&] {
        std::string w = kanji.substr(next() % (kanji.size() / 3) * 3, 3);
        for (unsigned i = 0, n = 1 + next() % 4; i < n; ++i) {
            w += kana.substr(next() % (kana.size() / 3) * 3, 3);
        }
        return w;
    };
    const std::string sentences[] = {"。", "、", "「", "」"};
    std::string text;
    while (text.size() < 300 * 1024) {
        for (int i = 0; i < 60; ++i) {
            text += word();
            text += i % 7 == 6 ? "。" : "";
        }
        text += "\r\n";
    }
    folix::HistoryStore store(book.string());
    uintmax_t largest = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int save = 0; save < saves; ++save) {
        // A small edit: a sentence typed in, or a few characters taken out, somewhere.
        size_t at = next() * 97u % text.size();
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
            ++at;
        }
        if (next() % 3 == 0 && at + 9 < text.size()) {
            text.erase(at, 9);  // three characters
        } else {
            text.insert(at, word() + sentences[next() % 4]);
        }
        if (!store.Record("本文.txt", text, folix::VersionCause::kSave) ||
            !store.RepackIfNeeded()) {
            std::fprintf(stderr, "history_size_bench: %s\n", store.error().c_str());
            return 1;
        }
        if (save % 50 == 0) {
            largest = std::max(largest, FolderBytes(book / ".folix-history"));
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    store.Repack();
    const uintmax_t packed = FolderBytes(book / ".folix-history");
    std::printf("novel %zu KB, %d saves: history %.1f MB packed, %.1f MB at most, %.1f ms a save\n",
                text.size() / 1024, saves, static_cast<double>(packed) / 1048576.0,
                static_cast<double>(largest) / 1048576.0, seconds * 1000 / saves);
    return 0;
}
