// florrin-cli's clean of 10,000 listed junk files, each checked and unlinked through its folder's
// descriptor, against a plain unlink(path) loop over the same files in the same order. Each round
// makes the tree afresh, lists it with the walk (not timed) and times the delete alone; the two
// alternate, five rounds each, best and median printed. Usage: bench_cli_delete [folder].
#include <fcntl.h>
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
constexpr int kRounds = 5;

void MakeTree(const fs::path& root)
{
    fs::remove_all(root);
    for (int i = 0; i < kTop; ++i) {
        for (int j = 0; j < kInner; ++j) {
            const fs::path folder = root / ("top" + std::to_string(i)) / ("in" + std::to_string(j));
            fs::create_directories(folder);
            for (int k = 0; k < kFilesPerFolder; ++k) {
                const int fd = open((folder / ("f" + std::to_string(k) + ".tmp")).c_str(), O_CREAT | O_WRONLY, 0644);
                if (fd >= 0)
                    close(fd);
            }
        }
    }
}

std::vector<JunkFile> List(const std::string& root)
{
    const auto opener = CliSystem::MakeFolderOpener();
    CliScan scan(*opener, CliSystem::PathLeadBytePredicate());
    scan.Run(root);
    return scan.JunkFiles();
}

// Seconds the delete took, and how many files went.
std::pair<double, std::size_t> TimeDelete(const std::string& root, bool safe)
{
    MakeTree(root);
    const std::vector<JunkFile> files = List(root);
    std::size_t deleted = 0;
    const auto start = Clock::now();
    if (safe) {
        JunkFileRemover remover(root);
        for (const JunkFile& junk : files)
            deleted += remover.Remove(junk) == JunkFileRemover::Result::Deleted;
    } else {
        for (const JunkFile& junk : files)
            deleted += unlink(junk.path.c_str()) == 0;
    }
    return {std::chrono::duration<double>(Clock::now() - start).count(), deleted};
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string root =
        argc > 1 ? argv[1] : (fs::temp_directory_path() / "florrin-delete-bench").string();
    std::vector<double> safe;
    std::vector<double> plain;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool isSafe : {true, false}) {
            const auto [seconds, deleted] = TimeDelete(root, isSafe);
            if (deleted != static_cast<std::size_t>(kTop * kInner * kFilesPerFolder)) {
                std::fprintf(stderr, "only %zu files deleted\n", deleted);
                return 1;
            }
            (isSafe ? safe : plain).push_back(seconds);
        }
    }
    fs::remove_all(root);
    std::sort(safe.begin(), safe.end());
    std::sort(plain.begin(), plain.end());
    std::printf("tree: %s, %d files in %d folders\n", root.c_str(), kTop * kInner * kFilesPerFolder,
                kTop * kInner + kTop);
    std::printf("unlink(path) loop          best %.4f s   median %.4f s\n", plain.front(), plain[kRounds / 2]);
    std::printf("checked delete through fds best %.4f s   median %.4f s\n", safe.front(), safe[kRounds / 2]);
    std::printf("ratio: best %.2f x, median %.2f x\n", safe.front() / plain.front(),
                safe[kRounds / 2] / plain[kRounds / 2]);
    return 0;
}
