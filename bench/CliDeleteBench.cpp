// florrin-cli's clean of 10,000 listed junk files, each checked and unlinked through its folder's
// descriptor, against a plain unlink(path) loop over the same files in the same order. Each round
// makes the tree afresh, lists it with the walk (not timed) and times the delete alone, in wall
// time and in the CPU time of the deleting thread (kernel time included, and less at the mercy of
// a busy machine); the two alternate, seven rounds each, best and median printed.
// Usage: bench_cli_delete [folder].
#include <fcntl.h>
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

Timing TimeDelete(const std::string& root, bool safe) {
    MakeTree(root);
    const std::vector<JunkFile> files = List(root);
    Timing timing;
    std::size_t& deleted = timing.deleted;
    const double cpuStart = ThreadCpuSeconds();
    const auto start = Clock::now();
    if (safe) {
        JunkFileRemover remover(root);
        for (const JunkFile& junk : files)
            deleted += remover.Remove(junk) == JunkFileRemover::Result::Deleted;
    } else {
        for (const JunkFile& junk : files) deleted += unlink(junk.path.c_str()) == 0;
    }
    timing.wall = std::chrono::duration<double>(Clock::now() - start).count();
    timing.cpu = ThreadCpuSeconds() - cpuStart;
    return timing;
}

void Print(const char* what, std::vector<double>& safe, std::vector<double>& plain) {
    std::sort(safe.begin(), safe.end());
    std::sort(plain.begin(), plain.end());
    const std::size_t middle = safe.size() / 2;
    std::printf(
        "%-5s unlink(path) loop best %.4f s median %.4f s; checked delete best %.4f s median %.4f s;"
        " ratio best %.2f x, median %.2f x\n",
        what, plain.front(), plain[middle], safe.front(), safe[middle], safe.front() / plain.front(),
        safe[middle] / plain[middle]);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root =
        argc > 1 ? argv[1] : (fs::temp_directory_path() / "florrin-delete-bench").string();
    std::vector<double> safeWall, plainWall, safeCpu, plainCpu;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool isSafe : {false, true}) {
            const Timing timing = TimeDelete(root, isSafe);
            if (timing.deleted != static_cast<std::size_t>(kTop * kInner * kFilesPerFolder)) {
                std::fprintf(stderr, "only %zu files deleted\n", timing.deleted);
                return 1;
            }
            (isSafe ? safeWall : plainWall).push_back(timing.wall);
            (isSafe ? safeCpu : plainCpu).push_back(timing.cpu);
        }
    }
    fs::remove_all(root);
    std::printf("tree: %s, %d files in %d folders\n", root.c_str(), kTop * kInner * kFilesPerFolder,
                kTop * kInner + kTop);
    Print("wall", safeWall, plainWall);
    Print("cpu", safeCpu, plainCpu);
    return 0;
}
