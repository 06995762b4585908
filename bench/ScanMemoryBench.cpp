// The program's peak working set with 10,000 junk lines listed, after a GUI scan of a 100,000-file
// tree and of a 400,000-file tree with the same junk, in one run under Wine. Prints both and the
// growth; asserts nothing. The trees are make_scan_tree.py's (ROOT\junk of each), moved into the
// profile folder in turn and back out afterwards:
//   wine64 build/win/bin/bench_scan_memory.exe 'C:\florrin-scan-trees' 'C:\florrin-scan-trees-400k'
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "bench/GuiBench.h"
#include "res/resource.h"

using namespace GuiBench;

namespace {

struct Footprint {
    double seconds = -1;
    int lines = 0;
    PROCESS_MEMORY_COUNTERS memory{};
};

// Scans the tree in the profile folder and reads the program's memory counters once it is done.
Footprint ScanAndMeasure(const std::string& exe) {
    Footprint footprint;
    FlorrinSession app;
    footprint.seconds = ScanInGui(app, exe);
    footprint.lines = app.ListCount(IDC_RESULT_LIST);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.ProcessId());
    if (process) {
        footprint.memory.cb = sizeof footprint.memory;
        GetProcessMemoryInfo(process, &footprint.memory, sizeof footprint.memory);
        CloseHandle(process);
    }
    app.Kill();
    return footprint;
}

double MB(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_scan_memory SMALL-TREES-ROOT LARGE-TREES-ROOT\n");
        return 2;
    }
    const std::string exe = Here() + "florrin.exe";
    const std::string root = ProfileFolder() + "\\florrin-bench";
    double peak[2] = {};
    for (int tree = 0; tree < 2; ++tree) {
        const std::string premade = std::string(argv[1 + tree]) + "\\junk";
        PutTree(root, premade, 0, 0, 0);
        const unsigned long long files = BareWalk(root);
        const Footprint f = ScanAndMeasure(exe);
        TakeTree(root, premade);
        peak[tree] = MB(f.memory.PeakWorkingSetSize);
        std::printf(
            "%llu files, %d lines listed, scan %.3f s: peak working set %.1f MB, working set %.1f MB, "
            "peak private %.1f MB\n",
            files, f.lines, f.seconds, peak[tree], MB(f.memory.WorkingSetSize),
            MB(f.memory.PeakPagefileUsage));
    }
    std::printf("growth of the peak working set, large tree / small tree   %6.3f\n", peak[1] / peak[0]);
    return 0;
}
