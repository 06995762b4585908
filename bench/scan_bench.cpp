// Walks a generated tree three ways and prints how their times compare:
//   bare enumeration (the platform's listing alone), ScanFolder with a window that does nothing,
//   and, natively, find -type f -printf '%s %p\n'. Usage: scan_bench [--generate] [tree folder].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/BenchPlatform.h"
#include "engine/PathText.h"
#include "engine/ScanEngine.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 5000;
constexpr int kFilesPerFolder = 20;  // 100,000 files
constexpr int kJunkEvery = 100;      // 1% junk

class NullWindow : public ScanWindow {
public:
    void SetProgressPos(uint32_t) override {}
    void SetStatusText(const std::string&) override {}
    void AddResultLine(const std::string&) override {}
    void SignalScanEvent() override {}
};

// The same tree on every run: folder i hangs below folder (i - 1) / 8, except that every
// 250th folder starts a chain of ten under its predecessor, which gives some deep paths.
void GenerateTree(const fs::path& root) {
    if (fs::exists(root / "complete")) return;
    fs::remove_all(root);
    std::vector<fs::path> folders{root};
    for (int i = 1; i < kFolders; ++i) {
        const bool deep = i % 250 >= 240;
        const fs::path& parent = deep ? folders[i - 1] : folders[(i - 1) / 8];
        folders.push_back(parent / ("d" + std::to_string(i)));
    }
    int file = 0;
    for (const fs::path& folder : folders) {
        fs::create_directories(folder);
        for (int j = 0; j < kFilesPerFolder; ++j, ++file) {
            const char* extension = file % kJunkEvery == 0 ? ".tmp" : ".dat";
            const fs::path path = folder / ("f" + std::to_string(file) + extension);
            {
                std::FILE* created = std::fopen(path.string().c_str(), "wb");
                if (created) std::fclose(created);
            }
            fs::resize_file(path, static_cast<uintmax_t>(file % 97) * 1531);  // sparse where it can be
        }
    }
    std::FILE* marker = std::fopen((root / "complete").string().c_str(), "wb");
    if (marker) std::fclose(marker);
}

uint64_t BareWalk(FolderEnumerator& enumerator, const std::string& folder, char separator) {
    auto listing = enumerator.Open(SearchPatternOf(folder, separator));
    if (!listing) return 0;
    uint64_t files = 0;
    FolderEntry entry;
    while (listing->Next(entry)) {
        if (!entry.isDirectory)
            ++files;
        else if (entry.name != "." && entry.name != ".." && !entry.isLink)
            files += BareWalk(enumerator, PathJoin(folder, entry.name, separator), separator);
    }
    return files;
}

double BestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    // --generate only makes the tree: natively, for the benchmarks and tests that read it under Wine.
    const bool generateOnly = argc > 1 && std::string(argv[1]) == "--generate";
    const int treeArg = generateOnly ? 2 : 1;
    const fs::path root =
        argc > treeArg ? fs::path(argv[treeArg]) : fs::temp_directory_path() / "florrin-bench-tree";
    GenerateTree(root);
    if (generateOnly) return 0;
    std::string folder = root.string();

    auto enumerator = MakeFolderEnumerator();
    auto disk = MakeDiskSpaceQuery();
    NullWindow window;
    const char separator = enumerator->Separator();

    uint64_t files = 0;
    BareWalk(*enumerator, folder, separator);  // warm the caches
    const double bare = BestOf(3, [&] { files = BareWalk(*enumerator, folder, separator); });

    uint32_t junk = 0;
    const double scan = BestOf(3, [&] {
        ScanEngine engine(*enumerator, *disk, window, MakeLeadBytePredicate());
        engine.AddJunkPatterns();
        engine.ScanFolder(folder);
        junk = engine.JunkCount();
    });

    std::printf("tree: %s, %llu files, %u junk\n", folder.c_str(), static_cast<unsigned long long>(files),
                junk);
    std::printf("bare enumeration         %8.3f s   1.00\n", bare);
    std::printf("ScanFolder, null window  %8.3f s   %.2f x bare\n", scan, scan / bare);
    if (RunFind(folder)) {
        const double find = BestOf(3, [&] { RunFind(folder); });
        std::printf("find -type f -printf     %8.3f s   %.2f x bare\n", find, find / bare);
    }
    return 0;
}
