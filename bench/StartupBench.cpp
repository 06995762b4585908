// Start-up of florrin.exe to its visible window with a 100,000-file tree in the profile folder,
// against the same start-up without it, in one run under Wine; and how long after the window the
// progress range takes in the tree. Prints times and the ratio; asserts nothing.
// The tree is scan_bench's, generated natively into the prefix's C: drive; for the start-ups
// with it, it is moved into the profile folder, and back afterwards:
//   wine64 build/win/bin/bench_startup.exe [tree folder, default C:\florrin-bench-tree] [rounds]
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/FolderSizeWalk.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32FolderEnumerator.h"
#include "res/resource.h"
#include "tests/e2e/FlorrinSession.h"

namespace {

// Whole milliseconds are fine enough for start-ups of a few tenths of a second and more.
double SecondsSince(ULONGLONG startMs) { return static_cast<double>(GetTickCount64() - startMs) / 1000.0; }

// The size in KB of every file below folder, as the program counts it.
unsigned long long FolderKB(const std::string& folder) {
    Win32FolderEnumerator folders;
    uint32_t kb = 0;
    FolderSizeWalk(folders, AnsiLeadBytePredicate()).AddFolderSizeKB(folder, kb);
    return kb;
}

// The progress range the program should reach for a scan folder: its drive's used space and its
// size, in MB. Less one, for rounding.
LRESULT ExpectedRangeTop(const std::string& folder) {
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    GetDiskFreeSpaceA(folder.c_str(), &sectors, &bytes, &freeClusters, &clusters);
    const unsigned long long usedKB =
        static_cast<unsigned long long>(sectors) * bytes / 1024 * (clusters - freeClusters);
    const unsigned long long top = (usedKB + FolderKB(folder)) >> 10;
    return static_cast<LRESULT>(top > 0 ? top - 1 : 0);
}

LRESULT RangeTop(const FlorrinSession& app) {
    DWORD_PTR top = 0;
    SendMessageTimeoutA(app.Control(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &top);
    return static_cast<LRESULT>(top);
}

struct Startup {
    double visible = -1;   // from the process's creation to its visible window
    double answered = -1;  // to its first answer to WM_NULL
    double measured = -1;  // to a progress range that holds the profile folder
};

Startup Start(const std::string& exe, LRESULT rangeTop) {
    Startup startup;
    FlorrinSession app;
    const ULONGLONG start = GetTickCount64();
    if (!app.Launch(exe, 120000)) return startup;
    startup.visible = SecondsSince(start);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 120000, &result))
        startup.answered = SecondsSince(start);
    if (FlorrinSession::WaitUntil([&] { return RangeTop(app) >= rangeTop; }, 120000))
        startup.measured = SecondsSince(start);
    app.Kill();
    return startup;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string tree = argc > 1 ? argv[1] : "C:\\florrin-bench-tree";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    char profile[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, profile, CSIDL_PROFILE, FALSE);
    const std::string inProfile = std::string(profile) + "\\florrin-bench-tree";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string exe =
        std::string(self).substr(0, std::string(self).find_last_of("\\/") + 1) + "florrin.exe";
    if (GetFileAttributesA((tree + "\\complete").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("no generated tree at %s: run scan_bench --generate on it first (bench/README.md)\n",
                    tree.c_str());
        return 1;
    }
    const long treeMB = static_cast<long>(FolderKB(tree) >> 10);

    // Rounds alternate, so that a slower moment of the machine weighs on both alike.
    std::vector<double> emptyVisible, emptyAnswered, emptyMeasured, treeVisible, treeAnswered, treeMeasured;
    Start(exe, 0);  // warms Wine and the program's pages
    for (int round = 0; round < rounds; ++round) {
        const Startup without = Start(exe, ExpectedRangeTop(profile));
        emptyVisible.push_back(without.visible);
        emptyAnswered.push_back(without.answered);
        emptyMeasured.push_back(without.measured);
        if (!MoveFileA(tree.c_str(), inProfile.c_str())) {
            std::printf("cannot move %s into the profile folder\n", tree.c_str());
            return 1;
        }
        const Startup with = Start(exe, ExpectedRangeTop(profile));
        MoveFileA(inProfile.c_str(), tree.c_str());
        treeVisible.push_back(with.visible);
        treeAnswered.push_back(with.answered);
        treeMeasured.push_back(with.measured);
    }

    std::printf("tree: %s, %ld MB; medians of %d start-ups each\n", tree.c_str(), treeMB, rounds);
    std::printf("                         visible    WM_NULL answered   range holds the profile\n");
    std::printf("empty profile           %7.3f s   %7.3f s          %7.3f s\n", Median(emptyVisible),
                Median(emptyAnswered), Median(emptyMeasured));
    std::printf("tree in the profile     %7.3f s   %7.3f s          %7.3f s\n", Median(treeVisible),
                Median(treeAnswered), Median(treeMeasured));
    std::printf("ratio visible, tree / empty             %6.2f\n",
                Median(treeVisible) / Median(emptyVisible));
    return 0;
}
