// The delete of "全部删除" and florrin-cli.exe (held, checked folder handles, the file deleted
// through its own) against a bare DeleteFileA loop, over the same sorted list of 10,000 files in
// 100 folders two levels down. Fresh trees each round, the two in turns; best of three.
//   delete_bench.exe [FOLDER]   (default C:\florrin-delete-bench, removed afterwards)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Win32FileDeleter.h"

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 3;

// The tree's files in the list box's order: byte order of the paths.
std::vector<std::string> MakeTree(const std::string& root) {
    std::vector<std::string> files;
    CreateDirectoryA(root.c_str(), nullptr);
    for (int group = 0; group < 10; ++group) {
        const std::string upper = root + "\\g" + std::to_string(group);
        CreateDirectoryA(upper.c_str(), nullptr);
        for (int folder = 0; folder < kFolders / 10; ++folder) {
            const std::string lower = upper + "\\d" + std::to_string(folder);
            CreateDirectoryA(lower.c_str(), nullptr);
            for (int file = 0; file < kFilesPerFolder; ++file) {
                files.push_back(lower + "\\f" + std::to_string(10000 + file) + ".tmp");
                const HANDLE h = CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
                if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void RemoveFolders(const std::string& root) {
    for (int group = 0; group < 10; ++group) {
        const std::string upper = root + "\\g" + std::to_string(group);
        for (int folder = 0; folder < kFolders / 10; ++folder)
            RemoveDirectoryA((upper + "\\d" + std::to_string(folder)).c_str());
        RemoveDirectoryA(upper.c_str());
    }
    RemoveDirectoryA(root.c_str());
}

// Seconds to delete every file of a fresh tree, with one checked deleter for the whole list (as
// "全部删除" has, its handles closed within the time) or DeleteFileA; negative when one stayed.
double TimeDelete(const std::string& root, bool checked) {
    const std::vector<std::string> files = MakeTree(root);
    const auto start = std::chrono::steady_clock::now();
    size_t deleted = 0;
    if (checked) {
        Win32FileDeleter deleter(root);
        for (const std::string& file : files)
            deleted += deleter.Delete(file) == DeleteOutcome::Deleted ? 1 : 0;
    } else {
        for (const std::string& file : files) deleted += DeleteFileA(file.c_str()) ? 1 : 0;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RemoveFolders(root);
    return deleted == files.size() ? seconds : -1.0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root = argc > 1 ? argv[1] : "C:\\florrin-delete-bench";
    double bare = 1e30, held = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        const double b = TimeDelete(root, false);
        const double h = TimeDelete(root, true);
        if (b < 0 || h < 0) {
            std::printf("a file was not deleted (round %d)\n", round + 1);
            return 1;
        }
        std::printf("round %d: DeleteFileA %.3f s, held handles %.3f s\n", round + 1, b, h);
        bare = std::min(bare, b);
        held = std::min(held, h);
    }
    std::printf(
        "%d files, best of %d: DeleteFileA loop %.3f s (%.1f us/file), held handles %.3f s = %.2f x\n",
        kFolders * kFilesPerFolder, kRounds, bare, bare * 1e6 / (kFolders * kFilesPerFolder), held,
        held / bare);
    return 0;
}
