#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
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

// Starts folix in the folder, its output thrown away, and kills it (SIGKILL) as soon as the
// moment has come; a run that ends first is not killed. The moment is watched for every few
// microseconds.
void RunAndKill(const std::vector<std::string>& args, const std::string& folder,
                const std::function<bool()>& moment_has_come) {
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
    int status = 0;
    while (!moment_has_come()) {
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(20us);
    }
    ::kill(pid, SIGKILL);
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

    // After every kill each watched file is its old or its new self. Three kills fall where the
    // disk shows the program to be, however slow the machine: before it has written anything,
    // while a temporary file of a write exists, and once the main output has been replaced (a
    // new file stands at its name). A kill aimed at a write may come just after it ended; that
    // one is tried again, a bounded number of times. The rest fall at random, a little past the
    // end too.
    const std::string main_output = dir / build.outputs[0];
    auto inode = [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    };
    std::mt19937 random(20240501);
    std::uniform_int_distribution<long> when(0, duration.count() * 5 / 4);
    int saw_old = 0;
    int saw_new = 0;
    bool killed_inside_a_write = false;
    ino_t restored_inode = 0;
    auto kill_and_check = [&](const std::string& moment, const std::function<bool()>& has_come) {
        for (size_t i = 0; i < watched.size(); ++i) {
            WriteBytes(dir / watched[i], old_bytes[i]);
        }
        restored_inode = inode(main_output);
        RunAndKill({build.command, "novel/novel.flx"}, dir.path(), has_come);
        for (size_t i = 0; i < watched.size(); ++i) {
            std::string now = ReadBytes(dir / watched[i]);
            bool is_old = now == old_bytes[i];
            bool is_new = now == new_bytes[i];
            EXPECT_TRUE(is_old || is_new)
                << watched[i] << " is torn (" << now.size() << " bytes) after a kill " << moment;
            if (i == 0) {
                saw_old += is_old;
                saw_new += is_new;
            }
        }
    };
    kill_and_check("at the start", [] { return true; });
    EXPECT_EQ(saw_old, 1) << "a kill before the first write left no old output";
    for (int attempt = 0; attempt < 20 && !killed_inside_a_write; ++attempt) {
        const size_t left_before = Temporaries(dir.path()).size();
        kill_and_check("inside a write",
                       [&] { return Temporaries(dir.path()).size() > left_before; });
        killed_inside_a_write = Temporaries(dir.path()).size() > left_before;
    }
    EXPECT_TRUE(killed_inside_a_write) << "no kill fell inside a write in 20 tries";
    const int new_before = saw_new;
    kill_and_check("once the main output is replaced", [&] {
        const ino_t now = inode(main_output);
        return now != 0 && now != restored_inode;
    });
    EXPECT_EQ(saw_new, new_before + 1) << "a replaced main output was not the new one";
    for (int attempt = 0; attempt < 16; ++attempt) {
        const auto delay = std::chrono::microseconds(when(random));
        const auto deadline = std::chrono::steady_clock::now() + delay;
        kill_and_check("after " + std::to_string(delay.count()) + " µs",
                       [&] { return std::chrono::steady_clock::now() >= deadline; });
    }

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
