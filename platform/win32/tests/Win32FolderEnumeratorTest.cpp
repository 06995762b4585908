#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "engine/FolderSizeWalk.h"
#include "engine/ScanEngine.h"
#include "engine/tests/FakeFolders.h"
#include "engine/tests/SortedListing.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32DiskSpaceQuery.h"
#include "platform/win32/Win32FolderEnumerator.h"

namespace {

using Lines = std::vector<std::string>;

std::wstring Wide(const std::string& ansi) {
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

// A fresh folder under the temporary folder, removed with everything in it afterwards.
class Win32Tree : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        root = std::string(temp) + "florrin-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr)) << root;
    }
    void TearDown() override { RemoveTree(L"\\\\?\\" + Wide(root)); }

    // Removes a folder and what it holds, without entering linked folders.
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring path = folder + L"\\" + name;
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                    if (!RemoveDirectoryW(path.c_str()) && !DeleteFileW(path.c_str())) {
                        RunOnWineHost("rm", path);  // Wine removes the link with neither call
                        for (int i = 0;
                             i < 100 && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
                            Sleep(50);
                    }
                } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    RemoveTree(path);
                } else {
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

    // A folder link: CreateSymbolicLinkA where the system makes one; under Wine, whose call
    // is a stub, a Unix symbolic link made by the host's ln, which Wine lists as a reparse point.
    static bool MakeFolderLink(const std::string& link, const std::string& target,
                               const std::string& relativeTarget) {
        if (CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
            GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        RunOnWineHost("ln -s " + relativeTarget, Wide(link));
        // Wine does not wait for a Unix program's end: watch for the link instead.
        for (int i = 0; i < 100; ++i) {
            if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
            Sleep(50);
        }
        return false;
    }

    // Runs /bin/<command> <the Unix name of path> when this is Wine (it starts Unix programs).
    static void RunOnWineHost(const std::string& command, const std::wstring& path) {
        using UnixName = char*(CDECL*)(LPCWSTR);
        auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        if (unixName == nullptr) return;
        char* unixPath = unixName(path.c_str());
        if (unixPath == nullptr) return;
        std::string line = "Z:\\bin\\" + command + " " + unixPath;
        HeapFree(GetProcessHeap(), 0, unixPath);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return;
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    void MakeFile(const std::string& relative, uint64_t size) {
        const std::string path = root + "\\" + relative;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        ASSERT_TRUE(sized) << path;
    }
    void MakeDir(const std::string& relative) {
        ASSERT_TRUE(CreateDirectoryA((root + "\\" + relative).c_str(), nullptr)) << relative;
    }

    std::vector<FolderEntry> List(const std::string& folder) {
        return SortedListing(enumerator, folder + "\\*.*");
    }

    std::string root;
    Win32FolderEnumerator enumerator;
    Win32DiskSpaceQuery disk;
    RecordingWindow window;
    ScanEngine engine{enumerator, disk, window, AnsiLeadBytePredicate()};
};

TEST_F(Win32Tree, ListsEveryEntryTheFirstIncludedWithKindAndSize) {
    MakeFile("a.tmp", 0);
    MakeFile("b", 1023);
    MakeFile("c", 1024);
    MakeFile("d", 2047);
    MakeDir("sub");
    const auto entries = List(root);
    ASSERT_EQ(entries.size(), 7u);
    struct Expected {
        const char* name;
        bool dir;
        uint64_t size;
    };
    const Expected expected[] = {{".", true, 0},     {"..", true, 0},    {"a.tmp", false, 0},
                                 {"b", false, 1023}, {"c", false, 1024}, {"d", false, 2047},
                                 {"sub", true, 0}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].isDirectory, expected[i].dir) << expected[i].name;
        EXPECT_FALSE(entries[i].isLink) << expected[i].name;
        EXPECT_EQ(entries[i].size, expected[i].size) << expected[i].name;
    }
}

TEST_F(Win32Tree, ScanCountsSizesInKBAndListsJunkOnly) {
    MakeFile("zero.tmp", 0);
    MakeFile("b.old", 1023);
    MakeFile("c.txt", 1024);
    MakeDir("sub");
    MakeFile("sub\\d.gid", 2047);
    MakeFile("sub\\E.TMP", 4096);
    engine.AddJunkPatterns();
    engine.ScanFolder(root + "\\");  // a trailing backslash is not doubled
    EXPECT_EQ(Sorted(window.lines), (Lines{root + "\\b.old", root + "\\sub\\d.gid", root + "\\zero.tmp"}));
    EXPECT_EQ(engine.ScannedKB(), 6u);
    EXPECT_EQ(engine.JunkKB(), 1u);
    EXPECT_EQ(engine.JunkCount(), 3u);
    EXPECT_EQ(window.signals, 0);

    uint32_t total = 0;
    FolderSizeWalk(enumerator, AnsiLeadBytePredicate()).AddFolderSizeKB(root, total);
    EXPECT_EQ(total, 6u);
}

TEST_F(Win32Tree, FileOverFourGiBCountsWhole) {
    MakeFile("huge.tmp", 5ull << 30);
    ASSERT_EQ(List(root).back().size, 5ull << 30);
    engine.AddJunkPatterns();
    engine.ScanFolder(root);
    EXPECT_EQ(engine.JunkKB(), 5u << 20);
}

TEST_F(Win32Tree, MissingFolderCannotBeOpenedAndEndsTheWalkSilently) {
    EXPECT_EQ(enumerator.Open(root + "\\missing\\*.*"), nullptr);
    engine.AddJunkPatterns();
    engine.ScanFolder(root + "\\missing");
    EXPECT_TRUE(window.requests.empty());
}

TEST_F(Win32Tree, NamesWithTrailByte0x5CInCodePage936) {
    if (GetACP() != 936) GTEST_SKIP() << "the system code page is " << GetACP();
    EXPECT_TRUE(AnsiLeadBytePredicate()(0x95));
    EXPECT_FALSE(AnsiLeadBytePredicate()('\\'));
    const std::string folder = "\x95\\";           // one character ending in byte 5C
    const std::string notJunk = "x.tmp\x95\\old";  // its extension is "tmp?\old"
    MakeDir(folder);
    MakeFile(folder + "\\a.tmp", 10);
    MakeFile(notJunk, 10);
    const auto entries = List(root);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2].name, notJunk);
    EXPECT_EQ(entries[3].name, folder);

    engine.AddJunkPatterns();
    engine.ScanFolder(root);
    EXPECT_EQ(window.lines, (Lines{root + "\\" + folder + "\\a.tmp"}));
}

TEST_F(Win32Tree, PathOf300CharactersIsSkipped) {
    // Built with the wide long-path form, which the narrow calls cannot reach.
    std::wstring deep = L"\\\\?\\" + Wide(root);
    std::string deepAnsi = root;
    while (deepAnsi.size() < 300) {
        deep += L"\\" + std::wstring(30, L'd');
        deepAnsi += "\\" + std::string(30, 'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr)) << deepAnsi.size();
    }
    HANDLE farFile =
        CreateFileW((deep + L"\\far.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(farFile, INVALID_HANDLE_VALUE);
    CloseHandle(farFile);
    MakeFile("near.tmp", 2048);
    engine.AddJunkPatterns();
    engine.ScanFolder(root);
    EXPECT_EQ(window.lines, (Lines{root + "\\near.tmp"}));
    EXPECT_EQ(engine.ScannedKB(), 2u);
}

TEST_F(Win32Tree, LinkedFolderLoopIsNotEntered) {
    MakeDir("real");
    MakeFile("real\\a.tmp", 0);
    const std::string link = root + "\\real\\back";
    if (!MakeFolderLink(link, root, "..")) GTEST_SKIP() << "no folder links here";
    const auto entries = List(root + "\\real");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[3].name, "back");
    // Wine shows a Unix link with the reparse attribute and tag 0; Windows with a name surrogate.
    EXPECT_TRUE(entries[3].isLink);
    EXPECT_TRUE(entries[3].isDirectory);
    engine.AddJunkPatterns();
    engine.ScanFolder(root);
    EXPECT_EQ(window.lines, (Lines{root + "\\real\\a.tmp"}));
}

TEST_F(Win32Tree, FolderWhoseNameEndsInADotIsNotListedAsAnother) {
    // "t." is made through the long-path form, which keeps the dot; a narrow path to it loses the
    // dot and names "t" instead.
    MakeDir("t");
    MakeFile("t\\b.tmp", 1024);
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(root) + L"\\t.").c_str(), nullptr));
    HANDLE hidden = CreateFileW((L"\\\\?\\" + Wide(root) + L"\\t.\\a.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hidden, INVALID_HANDLE_VALUE);
    CloseHandle(hidden);
    // A folder name may end in a space: only the last part of a path loses its spaces.
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(root) + L"\\u ").c_str(), nullptr));
    MakeFile("u \\c.tmp", 0);

    const auto entries = List(root);
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) names.push_back(entry.name);
    EXPECT_EQ(names, (Lines{".", "..", "t", "u "}));
    engine.AddJunkPatterns();
    engine.ScanFolder(root);
    EXPECT_EQ(Sorted(window.lines), (Lines{root + "\\t\\b.tmp", root + "\\u \\c.tmp"}));
    EXPECT_EQ(engine.JunkKB(), 1u);
}

TEST(Win32DriveRoot, RootWithTrailingBackslashListsItsFirstEntriesWithoutDoubling) {
    const std::string fixture = "C:\\florrin-root-entry.tmp";
    HANDLE file = CreateFileA(fixture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    Win32FolderEnumerator enumerator;
    Win32DiskSpaceQuery disk;
    RecordingWindow window;
    ScanEngine engine(enumerator, disk, window, AnsiLeadBytePredicate());
    engine.AddJunkPatterns();
    uint32_t before = 0;
    FolderSizeWalk(enumerator, AnsiLeadBytePredicate()).AddFolderSizeKB("C:\\", before);
    engine.ScanFolder("C:\\");
    DeleteFileA(fixture.c_str());
    EXPECT_NE(std::find(window.lines.begin(), window.lines.end(), fixture), window.lines.end());
    for (const auto& line : window.lines) EXPECT_EQ(line.find("\\\\"), std::string::npos) << line;
    EXPECT_EQ(engine.ScannedKB(), before);
    EXPECT_GT(before, 0u);
}

TEST(Win32DiskSpace, UsedSpaceOfTheSystemDrive) {
    Win32DiskSpaceQuery disk;
    DiskSpace space;
    ASSERT_TRUE(disk.QueryDiskSpace("C:\\", space));
    EXPECT_GT(space.bytesPerSector, 0u);
    EXPECT_GE(space.totalClusters, space.freeClusters);
    EXPECT_FALSE(disk.QueryDiskSpace("Q:\\no such drive\\", space));

    Win32FolderEnumerator enumerator;
    RecordingWindow window;
    ScanEngine engine(enumerator, disk, window, AnsiLeadBytePredicate());
    EXPECT_GT(engine.GetUsedSpaceKB("C:\\"), 0u);
}

}  // namespace
