#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/CleanCommands.h"
#include "engine/CleanWorker.h"
#include "engine/tests/FakeResultList.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32CleanServices.h"
#include "platform/win32/Win32FileDeleter.h"
#include "tests/support/UnixLink.h"

// These tests change the stores of the Wine prefix they run in: run them only in a hermetic one.

namespace {

const char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

// The dialog as the clean worker sees it: every option checked unless unchecked here.
class TestHost : public CleanHost {
public:
    std::set<CleanOption> unchecked;
    std::vector<std::string> lines;
    bool IsOptionChecked(CleanOption option) override { return unchecked.count(option) == 0; }
    void AddResultLine(const std::string& line) override { lines.push_back(line); }
    void DecideJunkPatterns(bool) override {}
    bool HasLine(CleanOption option) const {
        return std::find(lines.begin(), lines.end(), CleanOptionReportLine(option)) != lines.end();
    }
    void CheckOnly(CleanOption option) {
        for (int i = 0; i < kCleanOptionCount; ++i) unchecked.insert(static_cast<CleanOption>(i));
        unchecked.erase(option);
    }
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::string& path, const std::string& content = "x") {
    HANDLE h =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
}

std::string CookiesFolder(bool create) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_COOKIES, create ? TRUE : FALSE)) return {};
    return path;
}

// Removes a folder tree, read-only files included.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found = {};
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void MakeTypedUrlsKey() {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kTypedUrlsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const char url1[] = "http://example.com/";
    const char url2[] = "http://example.org/";
    RegSetValueExA(key, "url1", 0, REG_SZ, reinterpret_cast<const BYTE*>(url1), sizeof url1);
    RegSetValueExA(key, "url2", 0, REG_SZ, reinterpret_cast<const BYTE*>(url2), sizeof url2);
    RegCloseKey(key);
}

// Puts one entry with the given address into the Internet cache.
bool CommitCacheEntry(const std::string& url) {
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0)) return false;
    WriteFile(file, "<html></html>");
    FILETIME none = {};
    return CommitUrlCacheEntryA(url.c_str(), file, none, none, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr,
                                nullptr);
}

bool CacheHas(const std::string& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
    // Any answer but "not found" means the entry is there.
    return GetLastError() != ERROR_FILE_NOT_FOUND;
}

bool SetClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    const bool set = SetClipboardData(CF_TEXT, mem) != nullptr;
    CloseClipboard();
    return set;
}

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "florrin-clean-test";
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

TEST(Win32CleanServices, CookiesTopLevelGoesSubFoldersAreNotEntered) {
    const std::string folder = CookiesFolder(true);
    ASSERT_FALSE(folder.empty());
    WriteFile(folder + "\\plain.txt");
    WriteFile(folder + "\\readonly.txt");
    SetFileAttributesA((folder + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA((folder + "\\empty").c_str(), nullptr);
    CreateDirectoryA((folder + "\\full").c_str(), nullptr);
    WriteFile(folder + "\\full\\inner.txt");

    Win32CleanServices services(nullptr);
    std::string reported;
    ASSERT_TRUE(services.GetCookiesFolder(reported));
    EXPECT_EQ(reported, folder);
    EXPECT_TRUE(services.DeleteCookiesTopLevel(folder));

    EXPECT_FALSE(Exists(folder + "\\plain.txt"));
    EXPECT_FALSE(Exists(folder + "\\readonly.txt"));
    EXPECT_FALSE(Exists(folder + "\\empty"));
    EXPECT_TRUE(Exists(folder + "\\full"));
    EXPECT_TRUE(Exists(folder + "\\full\\inner.txt"));
    RemoveTree(folder + "\\full");
}

TEST(Win32CleanServices, CookiesFolderThatCannotBeListedEndsTheWorker) {
    const std::string folder = CookiesFolder(true);
    ASSERT_FALSE(folder.empty());
    RemoveTree(folder);
    MakeTypedUrlsKey();

    Win32CleanServices services(nullptr);
    std::string known;
    if (!services.GetCookiesFolder(known)) {
        // This system gives no path for a missing folder; a file in its place is known but cannot be
        // listed, which is the case the worker ends on.
        WriteFile(folder);
    }
    TestHost host;
    host.unchecked = {CleanOption::EmptyRecycleBin};
    RunCleanOptions(host, services);

    DeleteFileA(folder.c_str());
    CookiesFolder(true);
    EXPECT_TRUE(host.HasLine(CleanOption::History));
    EXPECT_FALSE(host.HasLine(CleanOption::Cookies));
    EXPECT_FALSE(host.HasLine(CleanOption::TypedUrls));
    EXPECT_TRUE(KeyExists(kTypedUrlsKey));
    RegDeleteKeyA(HKEY_CURRENT_USER, kTypedUrlsKey);
}

TEST(Win32CleanServices, TypedUrlsKeyWithValuesIsDeleted) {
    MakeTypedUrlsKey();
    ASSERT_TRUE(KeyExists(kTypedUrlsKey));
    Win32CleanServices services(nullptr);
    TestHost host;
    host.CheckOnly(CleanOption::TypedUrls);
    RunCleanOptions(host, services);
    EXPECT_FALSE(KeyExists(kTypedUrlsKey));
    EXPECT_TRUE(KeyExists("Software\\Microsoft\\Internet Explorer"));
    EXPECT_EQ(host.lines, std::vector<std::string>{CleanOptionReportLine(CleanOption::TypedUrls)});
}

TEST(Win32CleanServices, ClipboardTextIsGone) {
    ASSERT_TRUE(SetClipboardText("florrin"));
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    Win32CleanServices services(nullptr);
    services.ClearClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST(Win32CleanServices, CommittedCacheEntriesAreDeleted) {
    const std::vector<std::string> urls = {"http://florrin.test/a.html", "http://florrin.test/b.html",
                                           "http://florrin.test/c.html"};
    for (const auto& url : urls) ASSERT_TRUE(CommitCacheEntry(url)) << url << " error " << GetLastError();
    for (const auto& url : urls) ASSERT_TRUE(CacheHas(url)) << url;

    Win32CleanServices services(nullptr);
    DeleteInternetCacheEntries(services);
    for (const auto& url : urls) EXPECT_FALSE(CacheHas(url)) << url;
}

TEST(Win32CleanServices, EmptyCacheStillGivesItsLine) {
    Win32CleanServices services(nullptr);
    DeleteInternetCacheEntries(services);
    std::string url;
    ASSERT_FALSE(services.FirstCacheEntry(url)) << "cache not empty: " << url;

    TestHost host;
    host.CheckOnly(CleanOption::InternetTempFiles);
    RunCleanOptions(host, services);
    EXPECT_EQ(host.lines, std::vector<std::string>{CleanOptionReportLine(CleanOption::InternetTempFiles)});
}

TEST(Win32CleanServices, HistoryStepEndsWithItsLineWhateverTheHistoryObjectAnswers) {
    Win32CleanServices services(nullptr);
    TestHost host;
    host.CheckOnly(CleanOption::History);
    RunCleanOptions(host, services);
    RunCleanOptions(host, services);
    EXPECT_EQ(host.lines, std::vector<std::string>(2, CleanOptionReportLine(CleanOption::History)));
}

TEST(Win32CleanServices, RecycleBinIsEmptied) {
    const std::string folder = TempFolder();
    const std::string file = folder + "\\recycled.tmp";
    WriteFile(file);
    // SHFileOperationA takes a list ended by two NULs.
    std::string from = file + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ASSERT_EQ(SHFileOperationA(&op), 0);
    ASSERT_FALSE(Exists(file));
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinA(nullptr, &info)) || info.i64NumItems == 0) {
        RemoveTree(folder);
        GTEST_SKIP() << "this system's Recycle Bin does not report the moved file";
    }

    Win32CleanServices services(nullptr);
    services.EmptyRecycleBin();
    info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SUCCEEDED(SHQueryRecycleBinA(nullptr, &info)));
    EXPECT_EQ(info.i64NumItems, 0);
    RemoveTree(folder);
}

TEST(Win32FileDeleter, DeleteAllRemovesListedJunkOnlyAndKeepsInViewWhatStaysOrLeadsOutside) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    // Links an interrupted run left would lead the folder's removal outside.
    for (const char* link :
         {"florrin-clean-test\\sub", "florrin-clean-test\\sub2", "florrin-clean-test\\t.tmp"})
        RemoveUnixLink(temp + std::string(link));
    // A drive of its own, to link to the listed folder's path on it.
    std::string driveLink = UnixPath("C:\\");
    driveLink = "Z:" + driveLink.substr(0, driveLink.rfind("c:")) + "f:";
    std::replace(driveLink.begin(), driveLink.end(), '/', '\\');
    RemoveUnixLink(driveLink);
    const std::string folder = TempFolder();
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    std::vector<std::string> reportLines;
    for (int i = 0; i < kCleanOptionCount; ++i)
        if (const char* line = CleanOptionReportLine(static_cast<CleanOption>(i)))
            reportLines.push_back(line);
    for (const auto& line : reportLines) WriteFile(line);  // in the current folder
    const std::string junk = folder + "\\a.tmp";
    const std::string kept = folder + "\\keep.txt";
    const std::string readOnly = folder + "\\r.tmp";
    // Listed, then swapped for links to files of the same names outside the scanned folder.
    const std::string inSwapped = folder + "\\sub\\s.tmp";
    const std::string swappedFile = folder + "\\t.tmp";
    const std::string outside = folder + "-outside";
    const std::string inOtherDrive = folder + "\\sub2\\s.tmp";
    const std::string otherDrive = folder + "-drive";
    RemoveTree(outside);
    RemoveTree(otherDrive);
    CreateDirectoryA(outside.c_str(), nullptr);
    ASSERT_EQ(SHCreateDirectoryExA(nullptr, (otherDrive + folder.substr(2) + "\\sub2").c_str(), nullptr), 0);
    WriteFile(otherDrive + inOtherDrive.substr(2));
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    for (const std::string& file :
         {junk, kept, readOnly, inSwapped, swappedFile, outside + "\\s.tmp", outside + "\\t.tmp"})
        WriteFile(file);
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));

    std::vector<std::string> listed = reportLines;
    for (const std::string& file : {junk, readOnly, inSwapped, inOtherDrive, swappedFile})
        listed.push_back(file);
    std::sort(listed.begin(), listed.end());
    FakeResultListWindow window(listed);  // sorted, as the list box keeps it

    ASSERT_TRUE(MoveFileA((folder + "\\sub").c_str(), (folder + "\\sub-moved").c_str()));
    ASSERT_TRUE(DeleteFileA(swappedFile.c_str()));
    ASSERT_TRUE(MakeUnixLink(folder + "\\sub", UnixPath(outside)));
    ASSERT_TRUE(MakeUnixLink(swappedFile, UnixPath(outside + "\\t.tmp")));
    ASSERT_TRUE(MakeUnixLink(driveLink, UnixPath(otherDrive)));
    ASSERT_TRUE(MakeUnixLink(folder + "\\sub2", UnixPath(otherDrive + folder.substr(2) + "\\sub2")));
    Sleep(1100);  // Wine looks at its drives again once a second

    // The deleter holds the scanned folder open until it goes.
    auto deleter = std::make_unique<Win32FileDeleter>(folder);
    OnDeleteAll(window, *deleter, AnsiLeadBytePredicate());
    EXPECT_FALSE(Exists(junk));
    EXPECT_TRUE(Exists(kept));
    for (const auto& line : reportLines) EXPECT_TRUE(Exists(folder + "\\" + line)) << line;
    // Never made writable to force the delete.
    EXPECT_TRUE(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);
    // Nothing the links lead to goes, nor the file moved away with its folder.
    EXPECT_TRUE(Exists(outside + "\\s.tmp"));
    EXPECT_TRUE(Exists(outside + "\\t.tmp"));
    EXPECT_TRUE(Exists(otherDrive + inOtherDrive.substr(2)));
    EXPECT_TRUE(Exists(folder + "\\sub-moved\\s.tmp"));
    EXPECT_EQ(window.lines, (std::vector<std::string>{readOnly, inOtherDrive, inSwapped, swappedFile}));
    EXPECT_EQ(window.statusTexts.back(), "清理完毕，4 个文件未能删除（文件只读、路径已改变）。");
    // A path outside the scanned folder, or climbing out of it, never reaches the system.
    WriteFile(outside + "\\u.tmp");
    EXPECT_EQ(deleter->Delete(outside + "\\u.tmp"), DeleteOutcome::Failed);
    EXPECT_EQ(deleter->Delete(folder + "\\..\\" + outside.substr(outside.find_last_of('\\') + 1) + "\\u.tmp"),
              DeleteOutcome::Failed);
    EXPECT_TRUE(Exists(outside + "\\u.tmp"));
    deleter.reset();

    SetCurrentDirectoryA(temp);
    EXPECT_TRUE(RemoveUnixLink(folder + "\\sub"));
    EXPECT_TRUE(RemoveUnixLink(swappedFile));
    EXPECT_TRUE(RemoveUnixLink(folder + "\\sub2"));
    EXPECT_TRUE(RemoveUnixLink(driveLink));
    RemoveTree(folder);
    RemoveTree(outside);
    RemoveTree(otherDrive);
}
