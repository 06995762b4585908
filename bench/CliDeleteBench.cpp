// florrin-cli's clean of 10,000 listed junk files, each checked and unlinked through its folder's
// descriptor, against the path delete it replaced (lstat then unlink by path) and against a bare
// unlink(path) loop, over the same files in the same order. Each round
// makes the tree afresh, lists it with the walk (not timed) and times the delete alone, in wall
// time and in the CPU time of the deleting thread (kernel time included, and less at the mercy of
// a busy machine); the three take turns, seven rounds each, best and median printed.
// Usage: bench_cli_delete [folder].
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliScan.h"
#include "cli/CliSystem.h"
#include "cli/JunkFileRemover.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTop = 10;
constexpr int kInner = 10;
constexpr int kFilesPerFolder = 100;  // 10 x 10 folders two deep: 10,000 files
constexpr int kRounds = 7;

void MakeTree(const fs::path& root) {
    fs::remove_all(root);
    for (int i = 0; i < kTop; ++i) {
        for (int j = 0; j < kInner; ++j) {
            const fs::path folder = root / ("top" + std::to_string(i)) / ("in" + std::to_string(j));
            fs::create_directories(folder);
            for (int k = 0; k < kFilesPerFolder; ++k) {
                const int fd =
                    open((folder / ("f" + std::to_string(k) + ".tmp")).c_str(), O_CREAT | O_WRONLY, 0644);
                if (fd >= 0) close(fd);
            }
        }
    }
}

std::vector<JunkFile> List(const std::string& root) {
    const auto opener = CliSystem::MakeFolderOpener();
    CliScan scan(*opener, CliSystem::PathLeadBytePredicate());
    scan.Run(root);
    return scan.JunkFiles();
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
    std::size_t deleted = 0;
};

enum class Way { Checked, PathDelete, Unlink };

Timing TimeDelete(const std::string& root, Way way) {
    MakeTree(root);
    const std::vector<JunkFile> files = List(root);
    Timing timing;
    std::size_t& deleted = timing.deleted;
    const double cpuStart = ThreadCpuSeconds();
    const auto start = Clock::now();
    if (way == Way::Checked) {
        JunkFileRemover remover(root);
        for (const JunkFile& junk : files)
            deleted += remover.Remove(junk) == JunkFileRemover::Result::Deleted;
    } else {
        struct stat info {};
        for (const JunkFile& junk : files)
            deleted += (way == Way::Unlink || lstat(junk.path.c_str(), &info) == 0) &&
                       unlink(junk.path.c_str()) == 0;
    }
    timing.wall = std::chrono::duration<double>(Clock::now() - start).count();
    timing.cpu = ThreadCpuSeconds() - cpuStart;
    return timing;
}

void Print(const char* what, const char* against, std::vector<double>& safe, std::vector<double>& plain) {
    std::sort(safe.begin(), safe.end());
    std::sort(plain.begin(), plain.end());
    const std::size_t middle = safe.size() / 2;
    std::printf(
        "%-5s %s best %.4f s median %.4f s; checked delete best %.4f s median %.4f s;"
        " ratio best %.2f x, median %.2f x\n",
        what, against, plain.front(), plain[middle], safe.front(), safe[middle], safe.front() / plain.front(),
        safe[middle] / plain[middle]);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root =
        argc > 1 ? argv[1] : (fs::temp_directory_path() / "florrin-delete-bench").string();
    std::vector<double> wall[3], cpu[3];
    for (int round = 0; round < kRounds; ++round) {
        for (const Way way : {Way::Unlink, Way::Checked, Way::PathDelete}) {
            const Timing timing = TimeDelete(root, way);
            if (timing.deleted != static_cast<std::size_t>(kTop * kInner * kFilesPerFolder)) {
                std::fprintf(stderr, "only %zu files deleted\n", timing.deleted);
                return 1;
            }
            wall[static_cast<int>(way)].push_back(timing.wall);
            cpu[static_cast<int>(way)].push_back(timing.cpu);
        }
    }
    fs::remove_all(root);
    std::printf("tree: %s, %d files in %d folders\n", root.c_str(), kTop * kInner * kFilesPerFolder,
                kTop * kInner + kTop);
    const int checked = static_cast<int>(Way::Checked);
    const int pathDelete = static_cast<int>(Way::PathDelete);
    const int bare = static_cast<int>(Way::Unlink);
    Print("wall", "lstat+unlink(path)", wall[checked], wall[pathDelete]);
    Print("cpu", "lstat+unlink(path)", cpu[checked], cpu[pathDelete]);
    Print("wall", "unlink(path) loop", wall[checked], wall[bare]);
    Print("cpu", "unlink(path) loop", cpu[checked], cpu[bare]);
    return 0;
}
