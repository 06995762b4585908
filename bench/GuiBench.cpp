#include "bench/GuiBench.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>

#include "res/resource.h"

namespace GuiBench {

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double SecondsSince(LONGLONG start) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(Now() - start) / static_cast<double>(frequency.QuadPart);
}

std::string ProfileFolder() {
    char profile[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, profile, CSIDL_PROFILE, FALSE);
    return profile;
}

std::string Here() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1);
}

void MakeFile(const std::string& path, DWORD bytes) {
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    SetFilePointer(f, static_cast<LONG>(bytes), nullptr, FILE_BEGIN);
    SetEndOfFile(f);
    CloseHandle(f);
}

namespace {

std::string Numbered(const char* stem, int n, const char* tail) {
    std::string name = stem;
    name.append(std::to_string(n)).append(tail);
    return name;
}

// Calls visit(path, data) for every entry of folder but the dot names.
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") visit(folder + "\\" + name, data);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

void MakeTree(const std::string& root, int folders, int files, int junkPerFolder) {
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < folders; ++d) {
        const std::string folder = root + "\\" + Numbered("d", d, "");
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int f = junkPerFolder; f < files; ++f)
            MakeFile(folder + "\\" + Numbered("file", f, ".dat"), 3000);
        for (int j = 0; j < junkPerFolder; ++j) MakeFile(folder + "\\" + Numbered("junk", j, ".tmp"), 3000);
    }
}

void RemoveTree(const std::string& folder) {
    ForEachEntry(folder, [](const std::string& path, const WIN32_FIND_DATAA& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileA(path.c_str());
    });
    RemoveDirectoryA(folder.c_str());
}

void CollectJunk(const std::string& folder, std::vector<std::string>& paths) {
    ForEachEntry(folder, [&](const std::string& path, const WIN32_FIND_DATAA& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectJunk(path, paths);
        else if (path.size() > 4 && path.compare(path.size() - 4, 4, ".tmp") == 0)
            paths.push_back(path);
    });
}

unsigned long long BareWalk(const std::string& folder) {
    unsigned long long files = 0;
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != ".." && name != "..." &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                files += BareWalk(folder + "\\" + name);
        } else {
            ++files;
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return files;
}

void PutTree(const std::string& root, const std::string& premade, int folders, int files, int junkPerFolder) {
    RemoveTree(root);
    if (premade.empty())
        MakeTree(root, folders, files, junkPerFolder);
    else
        MoveFileA(premade.c_str(), root.c_str());
}

void TakeTree(const std::string& root, const std::string& premade) {
    if (premade.empty())
        RemoveTree(root);
    else
        MoveFileA(root.c_str(), premade.c_str());
}

namespace {

double CpuSeconds(HANDLE thread) {
    FILETIME created{}, ended{}, kernel{}, user{};
    if (!thread || !GetThreadTimes(thread, &created, &ended, &kernel, &user)) return 0;
    const auto ticks = [](const FILETIME& t) {
        return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

}  // namespace

double ScanInGui(FlorrinSession& app, const std::string& exe, double* interfaceCpu) {
    if (!app.Launch(exe)) return -1;
    HANDLE interfaceThread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, app.MainThreadId());
    // The bar's range grows once the start-up measure ends.
    const auto rangeTop = [&] {
        DWORD_PTR top = 0;
        SendMessageTimeoutA(app.Control(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &top);
        return top;
    };
    const DWORD_PTR usedSpaceOnly = rangeTop();
    FlorrinSession::WaitUntil([&] { return rangeTop() != usedSpaceOnly; }, 15000);
    const double cpuBefore = CpuSeconds(interfaceThread);
    const LONGLONG start = Now();
    app.Click(IDC_SCAN_NOW);
    const std::string prefix = "扫描已完成！";
    FlorrinSession::WaitUntil(
        [&] { return app.IsEnabled(IDC_START) && app.Text(IDC_STATUS_TEXT).rfind(prefix, 0) == 0; }, 600000);
    const double seconds = SecondsSince(start);
    if (interfaceCpu) *interfaceCpu = CpuSeconds(interfaceThread) - cpuBefore;
    if (interfaceThread) CloseHandle(interfaceThread);
    return seconds;
}

void Print(const std::string& gbk) { std::fputs(gbk.c_str(), stdout); }

}  // namespace GuiBench
