// A save with its version kept, as the window saves, against the same save alone: a 1 MB novel
// saved again and again, each time after a small edit, the file written whole (and made
// durable) first and then, for the first figure, its bytes read back and kept in the book's
// history. Prints one line: figure, ours and the baseline in milliseconds, tab-separated.
//
//   save_bench [FOLDER] [SAVES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "book/file_io.h"
#include "history/history_keeper.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// About a megabyte of paragraphs of kana and kanji.
std::string Novel() {
    const std::string paragraph =
        "朝の庭に出ると、梅の木の枝に小さな鳥がとまっていた。「おはよう」と声をかけると、"
        "鳥は首をかしげてこちらを見た。遠くで汽車の音がして、季節はまた少し進んだ。\r\n";
    std::string text;
    while (text.size() < 1024 * 1024) {
        text += paragraph;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : "save-bench";
    const int saves = argc > 2 ? std::max(3, std::atoi(argv[2])) : 21;
    std::string text = Novel();
    std::vector<double> with_history;
    std::vector<double> alone;
    for (const bool keep : {true, false}) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "book");
        const std::string root = (folder / "book").string();
        const std::string path = (folder / "book/本文.txt").string();
        folix::HistoryKeeper history([](const std::string& message) {
            std::fprintf(stderr, "save_bench: %s\n", message.c_str());
        });
        for (int save = 0; save < saves; ++save) {
            // A few characters typed somewhere, as between two saves.
            text.insert(text.size() / saves * static_cast<size_t>(save) / 3 * 3, "一言");
            const auto start = std::chrono::steady_clock::now();
            if (folix::WriteFileAtomically(path, text) != 0) {
                std::fprintf(stderr, "save_bench: cannot write %s\n", path.c_str());
                return 1;
            }
            if (keep) {
                const folix::FileRead written = folix::ReadWholeFile(path);
                history.Saved(root, path, written.bytes);
            }
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            // The first save of each run makes the file and the repository.
            if (save > 0) {
                (keep ? with_history : alone).push_back(ms);
            }
        }
    }
    std::filesystem::remove_all(folder);
    std::printf("save 1 MB with history (ms) vs without\t%.1f\t%.1f\n", Median(with_history),
                Median(alone));
    return 0;
}
