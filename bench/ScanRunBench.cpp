// Click-to-summary of a whole GUI scan under Wine, against the bare Win32 enumeration of the same
// profile folder in the same run; then the same scan with 10,000 junk files against none.
// Prints figures, ratios and the interface thread's processor time; asserts nothing. Run it in the
// hermetic test prefix on a display:
//   wine64 build/win/bin/bench_scan_run.exe [folders] [files per folder]
//   wine64 build/win/bin/bench_scan_run.exe 'C:\florrin-scan-trees'   (made by make_scan_tree.py)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/GuiBench.h"
#include "res/resource.h"

using namespace GuiBench;

namespace {

// A whole GUI scan in a program started for it: seconds from the click to the summary, and the
// least processor time its interface thread took meanwhile so far.
double GuiScan(const std::string& exe, std::string& summary, int& lines, double& leastCpu) {
    FlorrinSession app;
    double cpu = 0;
    const double seconds = ScanInGui(app, exe, &cpu);
    leastCpu = std::min(leastCpu, cpu);
    summary = app.Text(IDC_STATUS_TEXT);
    lines = app.ListCount(IDC_RESULT_LIST);
    app.Kill();
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    // Either FOLDERS FILES (the trees are made here, through Wine: slow), or the Windows path of
    // make_scan_tree.py's ROOT, whose "plain" and "junk" trees are moved into the profile in turn.
    const bool premade = argc > 1 && std::strchr(argv[1], '\\') != nullptr;
    const int folders = !premade && argc > 1 ? std::atoi(argv[1]) : 200;
    const int files = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::string exe = Here() + "florrin.exe";
    const std::string profile = ProfileFolder();
    const std::string root = profile + "\\florrin-bench";
    // Where each tree waits for its turn: beside the profile, out of the walks' way.
    const std::string plainTree = premade ? std::string(argv[1]) + "\\plain" : profile + "-florrin-plain";
    const std::string junkTree = premade ? std::string(argv[1]) + "\\junk" : profile + "-florrin-junk";
    if (!premade) {
        MakeTree(plainTree, folders, files, 0);
        MakeTree(junkTree, folders, files, (10000 + folders - 1) / folders);
    }

    // Best of three each, the bare walk and the two scans taking turns: the machine is shared,
    // its speed drifts, and a slow run says more about the neighbours.
    constexpr int kRuns = 3;
    for (const std::string* tree : {&plainTree, &junkTree}) {
        PutTree(root, *tree, 0, 0, 0);
        BareWalk(profile);  // warms the caches the GUI scan will find warm too
        TakeTree(root, *tree);
    }
    unsigned long long walked = 0;
    double bare = 1e9;
    double gui = 1e9;
    double guiJunk = 1e9;
    std::string summary;
    std::string summaryJunk;
    int lines = 0;
    int linesJunk = 0;
    // What the junk costs the interface thread, whatever the neighbours do to the wall time.
    double cpu = 1e9;
    double cpuJunk = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        PutTree(root, plainTree, 0, 0, 0);
        const LONGLONG start = Now();
        walked = BareWalk(profile);
        bare = std::min(bare, SecondsSince(start));
        gui = std::min(gui, GuiScan(exe, summary, lines, cpu));
        TakeTree(root, plainTree);
        PutTree(root, junkTree, 0, 0, 0);
        guiJunk = std::min(guiJunk, GuiScan(exe, summaryJunk, linesJunk, cpuJunk));
        TakeTree(root, junkTree);
    }
    if (!premade) {
        RemoveTree(plainTree);
        RemoveTree(junkTree);
    }
    std::printf("the profile holds %llu files; best of %d runs each\n", walked, kRuns);
    std::printf("bare Win32 enumeration   %8.3f s\n", bare);
    std::printf("GUI scan, no junk        %8.3f s   (%d lines) ", gui, lines);
    Print(summary);
    std::printf("\n");
    std::printf("GUI scan, junk           %8.3f s   (%d lines) ", guiJunk, linesJunk);
    Print(summaryJunk);
    std::printf("\n");
    std::printf("ratio GUI scan / bare enumeration        %6.2f\n", gui / bare);
    std::printf("ratio with junk / no junk                %6.2f\n", guiJunk / gui);
    std::printf("interface thread's processor time, least of %d: no junk %.2f s, junk %.2f s\n", kRuns, cpu,
                cpuJunk);
    return 0;
}
