#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using namespace std::chrono_literals;
using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;
using testing::WriteBytes;

// Starts folix in the folder, its output thrown away, and kills it (SIGKILL) after the delay.
void RunAndKill(const std::vector<std::string>& args, const std::string& folder,
                std::chrono::microseconds delay) {
    std::vector<std::string> argv_strings{FOLIX_BINARY};
    argv_strings.insert(argv_strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argv_strings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        int null = ::open("/dev/null", O_RDWR);
        if (null < 0 || ::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    std::this_thread::sleep_for(delay);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

// A book of many long files, so that writing its TEXT file or its text page takes a while.
void WriteLargeBook(const TempFolder& dir, const std::string& version) {
    const std::string root = dir / "novel";
    std::filesystem::create_directories(root);
    WriteBytes(root + "/novel.flx", "");
    std::string paragraph;
    for (int i = 0; i < 1000; ++i) {
        paragraph += version + "の段落、" + std::to_string(i) + "行目の本文です。\r\n";
    }
    for (int i = 0; i < 20; ++i) {
        WriteBytes(root + "/" + std::to_string(i) + ".txt", paragraph);
    }
}

// Every temporary file of a write under the folder (the look-alike aside), in name order.
std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".folix-") != std::string::npos && name.size() > 7 &&
            name.substr(name.size() - 7).find('.') == std::string::npos &&
            name.find(".folix-Old") == std::string::npos) {
            found.push_back(entry.path().string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

struct KilledBuild {
    const char* command;
    std::vector<std::string> outputs;  // relative to the folder holding the book

    friend void PrintTo(const KilledBuild& build, std::ostream* out) {
        *out << "folix " << build.command;
    }
};

class KilledBuildTest : public ::testing::TestWithParam<KilledBuild> {};

// Kills the build at many points while it replaces what an earlier build wrote: each output and
// each control file of the book is then its old whole self or its new whole self.
TEST_P(KilledBuildTest, LeavesEveryFileOldOrNew) {
    const KilledBuild& build = GetParam();
    std::vector<std::string> watched = build.outputs;
    watched.push_back("novel/options.flc");
    watched.push_back("novel/html_options.flc");

    TempFolder dir;
    WriteLargeBook(dir, "旧");
    auto set = RunFolix({"options", "novel/novel.flx", "html.file=index.htm", "text.allow=true"},
                        dir.path());
    ASSERT_EQ(set.exit_code, 0) << set.err;
    ASSERT_EQ(RunFolix({build.command, "novel/novel.flx"}, dir.path()).exit_code, 0);
    std::vector<std::string> old_bytes;
    for (const std::string& file : watched) {
        old_bytes.push_back(ReadBytes(dir / file));
    }

    // The new bytes, and how long a whole build takes.
    WriteLargeBook(dir, "新");
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunFolix({build.command, "novel/novel.flx"}, dir.path()).exit_code, 0);
    auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::vector<std::string> new_bytes;
    for (const std::string& file : watched) {
        new_bytes.push_back(ReadBytes(dir / file));
    }
    ASSERT_NE(old_bytes[0], new_bytes[0]);

    std::mt19937 random(20240501);
    // A little past the end too: a kill after the last rename must find every file new.
    std::uniform_int_distribution<long> when(0, duration.count() * 5 / 4);
    int saw_old = 0;
    int saw_new = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        for (size_t i = 0; i < watched.size(); ++i) {
            WriteBytes(dir / watched[i], old_bytes[i]);
        }
        const auto delay = std::chrono::microseconds(when(random));
        RunAndKill({build.command, "novel/novel.flx"}, dir.path(), delay);
        for (size_t i = 0; i < watched.size(); ++i) {
            std::string now = ReadBytes(dir / watched[i]);
            bool is_old = now == old_bytes[i];
            bool is_new = now == new_bytes[i];
            EXPECT_TRUE(is_old || is_new) << watched[i] << " is torn (" << now.size()
                                          << " bytes) after a kill at " << delay.count() << " µs";
            if (i == 0) {
                saw_old += is_old;
                saw_new += is_new;
            }
        }
    }
    // The kills fell both before and after the main output was replaced.
    EXPECT_GT(saw_old, 0);
    EXPECT_GT(saw_new, 0);

    // What the killed writes left behind never shows in the book or its outputs, and the next
    // whole build takes it away once it is old enough to belong to no live writer. Files only
    // like ours, and fresh ones, stay.
    const std::vector<std::string> left = Temporaries(dir.path());
    EXPECT_FALSE(left.empty()) << "no kill fell inside a write";
    auto listing = RunFolix({"ls", "novel/novel.flx"}, dir.path());
    EXPECT_EQ(listing.out.find(".folix-"), std::string::npos) << listing.out;
    for (const std::string& path : left) {
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    const std::string main_output = dir / build.outputs[0];
    const std::string fresh = dir / ("." + build.outputs[0] + ".folix-Fresh1");
    const std::string lookalike = dir / ("." + build.outputs[0] + ".folix-Old1234");
    WriteBytes(fresh, "fresh");
    WriteBytes(lookalike, "not ours");
    std::filesystem::last_write_time(
        lookalike, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_EQ(RunFolix({build.command, "novel/novel.flx"}, dir.path()).exit_code, 0);
    EXPECT_EQ(Temporaries(dir.path()), (std::vector<std::string>{fresh}));
    EXPECT_EQ(ReadBytes(lookalike), "not ours");
    EXPECT_EQ(ReadBytes(main_output), new_bytes[0]);
}

INSTANTIATE_TEST_SUITE_P(
    CrashSafety, KilledBuildTest,
    ::testing::Values(KilledBuild{"text", {"novel.txt"}},
                      KilledBuild{"html", {"index3_.htm", "index.htm", "index2_.htm"}}),
    [](const auto& build) { return std::string(build.param.command); });

}  // namespace
}  // namespace folix
