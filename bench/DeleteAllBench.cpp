// "全部删除" of every junk file a GUI scan listed, from the click to "清理完毕！", against a bare
// DeleteFileA loop over the same files, in one run under Wine. Each round scans afresh, deletes
// through the window, makes the files again and deletes them bare. Prints the times of each
// round and the ratios; asserts nothing. Run it in the hermetic test prefix on a display:
//   wine64 build/win/bin/bench_delete_all.exe 'C:\florrin-scan-trees'   (make_scan_tree.py's junk tree)
//   wine64 build/win/bin/bench_delete_all.exe [folders] [junk files per folder]   (made here, slow)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/GuiBench.h"
#include "res/resource.h"

using namespace GuiBench;

namespace {

void MakeFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) MakeFile(path, 3000);
}

int CountLeft(const std::vector<std::string>& paths) {
    return static_cast<int>(std::count_if(paths.begin(), paths.end(), [](const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
}

// Scans, then presses "全部删除": seconds from that click until the big button is back, which the
// command shows last. Negative when the program did not start.
double DeleteAllInGui(const std::string& exe, int& listed, std::string& status) {
    FlorrinSession app;
    if (ScanInGui(app, exe) < 0) return -1;
    listed = app.ListCount(IDC_RESULT_LIST);
    // The visibility is read from the window server: polling it takes nothing of the program's thread.
    const HWND scanNow = app.Control(IDC_SCAN_NOW);
    const LONGLONG start = Now();
    app.Click(IDC_DELETE_ALL);
    while (!IsWindowVisible(scanNow)) Sleep(5);
    const double seconds = SecondsSince(start);
    status = app.Text(IDC_STATUS_TEXT);
    app.Kill();
    return seconds;
}

// The files made, then the profile walked, as the program's scan walks it before its command.
double BareDelete(const std::vector<std::string>& paths) {
    MakeFiles(paths);
    BareWalk(ProfileFolder());
    const LONGLONG start = Now();
    for (const std::string& path : paths) DeleteFileA(path.c_str());
    return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    const bool premade = argc > 1 && std::strchr(argv[1], '\\') != nullptr;
    const int folders = !premade && argc > 1 ? std::atoi(argv[1]) : 100;
    const int junkPerFolder = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::string junkTree = premade ? std::string(argv[1]) + "\\junk" : "";
    const std::string exe = Here() + "florrin.exe";
    const std::string root = ProfileFolder() + "\\florrin-bench";

    PutTree(root, junkTree, folders, junkPerFolder, junkPerFolder);
    std::vector<std::string> junk;
    CollectJunk(root, junk);
    std::printf("%zu junk files\n", junk.size());

    constexpr int kRounds = 4;
    double bestGui = 1e9, bestBare = 1e9;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        // The two take turns to go first: files just made may still be on their way to the disk.
        int listed = 0;
        std::string status;
        double gui = 0, bare = 0;
        int leftByGui = 0, leftByBare = 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn + round) % 2 == 0) {
                MakeFiles(junk);
                gui = DeleteAllInGui(exe, listed, status);
                leftByGui = CountLeft(junk);
            } else {
                bare = BareDelete(junk);
                leftByBare = CountLeft(junk);
            }
        }
        std::printf(
            "round %d: 全部删除 of %d lines %7.3f s (%d files left), bare DeleteFileA %7.3f s (%d left), "
            "ratio %5.2f; ",
            round + 1, listed, gui, leftByGui, bare, leftByBare, gui / bare);
        Print(status);
        std::printf("\n");
        bestGui = std::min(bestGui, gui);
        bestBare = std::min(bestBare, bare);
        ratios.push_back(gui / bare);
    }
    // The disk's own swing between rounds is as large as the ratio's: the middle of the rounds
    // says as much as the best of each.
    std::sort(ratios.begin(), ratios.end());
    std::printf("best of %d: 全部删除 %.3f s, bare %.3f s, ratio %.2f; median of the rounds' ratios %.2f\n",
                kRounds, bestGui, bestBare, bestGui / bestBare,
                (ratios[(kRounds - 1) / 2] + ratios[kRounds / 2]) / 2);

    // The tree goes back as it came, junk and all.
    MakeFiles(junk);
    TakeTree(root, junkTree);
    return 0;
}
