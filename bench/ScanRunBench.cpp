// Click-to-summary of a whole GUI scan under Wine, against the bare Win32 enumeration of the same
// profile folder in the same run; then the same scan with 10,000 junk files against none.
// Prints figures and ratios; asserts nothing. Run it in the hermetic test prefix on a display:
//   wine64 build/win/bin/bench_scan_run.exe [folders] [files per folder]
//   wine64 build/win/bin/bench_scan_run.exe 'C:\florrin-scan-trees'   (made by make_scan_tree.py)
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "res/resource.h"
#include "tests/e2e/FlorrinSession.h"

namespace {

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double SecondsSince(LONGLONG start)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(Now() - start) / static_cast<double>(frequency.QuadPart);
}

std::string ProfileFolder()
{
    char profile[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, profile, CSIDL_PROFILE, FALSE);
    return profile;
}

std::string Here()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1);
}

void MakeFile(const std::string& path, DWORD bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    SetFilePointer(f, static_cast<LONG>(bytes), nullptr, FILE_BEGIN);
    SetEndOfFile(f);
    CloseHandle(f);
}

std::string Numbered(const char* stem, int n, const char* tail)
{
    std::string name = stem;
    name.append(std::to_string(n)).append(tail);
    return name;
}

// folders x files files, junkPerFolder of each folder's named *.tmp: the same number of files
// with junk or without, so the ratio of the two scans is the junk's cost alone.
void MakeTree(const std::string& root, int folders, int files, int junkPerFolder)
{
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < folders; ++d) {
        const std::string folder = root + "\\" + Numbered("d", d, "");
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int f = junkPerFolder; f < files; ++f)
            MakeFile(folder + "\\" + Numbered("file", f, ".dat"), 3000);
        for (int j = 0; j < junkPerFolder; ++j)
            MakeFile(folder + "\\" + Numbered("junk", j, ".tmp"), 3000);
    }
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// The walk the program does, with nothing done per entry: what the file system costs.
unsigned long long BareWalk(const std::string& folder)
{
    unsigned long long files = 0;
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != ".." && name != "..." && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                files += BareWalk(folder + "\\" + name);
        } else {
            ++files;
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return files;
}

// Starts the program, presses "立即扫描" and waits for the summary: seconds from click to summary.
double GuiScan(const std::string& exe, std::string& summary, int& lines)
{
    FlorrinSession app;
    if (!app.Launch(exe))
        return -1;
    // The program measures the profile folder for the bar's range as it starts: the click waits
    // for that measure (the bar's range grows once it ends), which is start-up's cost, not the scan's.
    const auto rangeTop = [&] {
        DWORD_PTR top = 0;
        SendMessageTimeoutA(app.Control(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &top);
        return top;
    };
    const DWORD_PTR usedSpaceOnly = rangeTop();
    FlorrinSession::WaitUntil([&] { return rangeTop() != usedSpaceOnly; }, 15000);
    const LONGLONG start = Now();
    app.Click(IDC_SCAN_NOW);
    const std::string prefix = "扫描已完成！";
    FlorrinSession::WaitUntil(
        [&] { return app.IsEnabled(IDC_START) && app.Text(IDC_STATUS_TEXT).rfind(prefix, 0) == 0; }, 600000);
    const double seconds = SecondsSince(start);
    summary = app.Text(IDC_STATUS_TEXT);
    lines = app.ListCount(IDC_RESULT_LIST);
    app.Kill();
    return seconds;
}

void Print(const std::string& gbk)
{
    // The console wants the terminal's encoding; Wine hands narrow output through as GBK.
    std::fputs(gbk.c_str(), stdout);
}

// Puts the tree to scan at `root`: moved in from `premade` when given (the natively made trees of
// make_scan_tree.py), else made here. A moved tree goes back out afterwards with TakeTree.
void PutTree(const std::string& root, const std::string& premade, int folders, int files, int junkPerFolder)
{
    RemoveTree(root);
    if (premade.empty())
        MakeTree(root, folders, files, junkPerFolder);
    else
        MoveFileA(premade.c_str(), root.c_str());
}

void TakeTree(const std::string& root, const std::string& premade)
{
    if (premade.empty())
        RemoveTree(root);
    else
        MoveFileA(root.c_str(), premade.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    // Either FOLDERS FILES (the tree is made here, through Wine: slow), or the Windows path of
    // make_scan_tree.py's ROOT, whose "plain" and "junk" trees are moved into the profile in turn.
    const bool premade = argc > 1 && std::strchr(argv[1], '\\') != nullptr;
    const int folders = !premade && argc > 1 ? std::atoi(argv[1]) : 200;
    const int files = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::string plainTree = premade ? std::string(argv[1]) + "\\plain" : "";
    const std::string junkTree = premade ? std::string(argv[1]) + "\\junk" : "";
    const std::string exe = Here() + "florrin.exe";
    const std::string profile = ProfileFolder();
    const std::string root = profile + "\\florrin-bench";

    // Best of three each: the machine is shared, and a slow run says more about the neighbours.
    constexpr int kRuns = 3;
    PutTree(root, plainTree, folders, files, 0);
    BareWalk(profile); // warms the caches the GUI scan will find warm too
    unsigned long long walked = 0;
    double bare = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const LONGLONG start = Now();
        walked = BareWalk(profile);
        bare = std::min(bare, SecondsSince(start));
    }
    std::string summary;
    int lines = 0;
    double gui = 1e9;
    for (int run = 0; run < kRuns; ++run)
        gui = std::min(gui, GuiScan(exe, summary, lines));
    std::printf("the profile holds %llu files; best of %d runs each\n", walked, kRuns);
    std::printf("bare Win32 enumeration   %8.3f s\n", bare);
    std::printf("GUI scan, no junk        %8.3f s   (%d lines) ", gui, lines);
    Print(summary);
    std::printf("\n");
    TakeTree(root, plainTree);

    PutTree(root, junkTree, folders, files, (10000 + folders - 1) / folders);
    BareWalk(profile);
    double guiJunk = 1e9;
    for (int run = 0; run < kRuns; ++run)
        guiJunk = std::min(guiJunk, GuiScan(exe, summary, lines));
    std::printf("GUI scan, junk           %8.3f s   (%d lines) ", guiJunk, lines);
    Print(summary);
    std::printf("\n");
    TakeTree(root, junkTree);

    std::printf("ratio GUI scan / bare enumeration        %6.2f\n", gui / bare);
    std::printf("ratio with junk / no junk                %6.2f\n", guiJunk / gui);
    return 0;
}
