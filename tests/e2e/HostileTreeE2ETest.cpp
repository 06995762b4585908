// A hostile tree under the profile folder, scanned and cleaned by the running program: long
// paths, double-byte names whose trail byte is a backslash, a link back up its own tree, a
// folder the ANSI functions cannot open, read-only and held-open junk, 20,000 files in one
// folder, an empty folder, files of 0 and 1,024 bytes, and a name the code page cannot spell
// beside the one its '?' would match. Only listed, deletable junk may go.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/FlorrinTest.h"
#include "tests/e2e/HeldScanEvent.h"
#include "tests/support/UnixLink.h"

namespace {

const char* const kSummaryStart = "扫描已完成！本次共扫描出 ";
const char* const kReportLines[] = {
    "回收站清空完毕！",       "剪贴板清空完毕！",   "Internet 临时文件清空完毕！",
    "网址历史记录清空完毕！", "Cookies 清空完毕！", "最近网址记录清空完毕！"};
constexpr size_t kMaxPathBytes = 259;
constexpr int kManyFiles = 20000;

std::wstring Wide(const std::string& ansi) {
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

// As the narrow functions show the name: a character the code page cannot spell becomes '?'.
std::string Ansi(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), n, nullptr, nullptr);
    ansi.resize(strlen(ansi.c_str()));
    return ansi;
}

std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// FNV-1a over the content, then over the size, so a truncated copy differs too.
struct Fingerprint {
    bool exists = false;
    uint64_t hash = 0;
    bool operator==(const Fingerprint&) const = default;
};

Fingerprint FingerprintOf(const std::wstring& path) {
    HANDLE f =
        CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return {GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES, 0};
    uint64_t hash = 14695981039346656037ull, size = 0;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i)
            hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ull;
        size += got;
    }
    CloseHandle(f);
    for (int i = 0; i < 8; ++i) hash = (hash ^ ((size >> (8 * i)) & 0xFF)) * 1099511628211ull;
    return {true, hash};
}

// Removes a tree that may hold paths past MAX_PATH and read-only files; a link is never entered.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(Long(folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
                continue;
            }
            if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(Long(path).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(Long(folder).c_str());
}

// Asks the window for WM_NULL every 100 ms on a thread of its own and counts the answers that
// did not come within a second.
class ResponsivenessProbe {
public:
    explicit ResponsivenessProbe(HWND window)
        : m_thread([this, window] {
              while (!m_bStop.load()) {
                  DWORD_PTR result = 0;
                  ++m_nPolls;
                  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result))
                      ++m_nMisses;
                  Sleep(100);
              }
          }) {}
    ~ResponsivenessProbe() { Stop(); }
    ResponsivenessProbe(const ResponsivenessProbe&) = delete;
    ResponsivenessProbe& operator=(const ResponsivenessProbe&) = delete;

    void Stop() {
        m_bStop.store(true);
        if (m_thread.joinable()) m_thread.join();
    }
    int Polls() const { return m_nPolls.load(); }
    int Misses() const { return m_nMisses.load(); }

private:
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nPolls{0};
    std::atomic<int> m_nMisses{0};
    std::thread m_thread;
};

double SecondsSince(ULONGLONG startMs) { return static_cast<double>(GetTickCount64() - startMs) / 1000.0; }

class HostileTreeE2E : public FlorrinTest {
protected:
    struct FixtureFile {
        std::wstring path;
        uint64_t bytes = 0;
        bool junk = false;  // its extension is one of the patterns'
        bool kept = false;  // junk the delete cannot take: read-only, held open, or named with '?'
        Fingerprint before;
    };

    void PrepareFixture() override {
        const auto start = GetTickCount64();
        m_root = Wide(FixtureFolder());
        RemoveLoopLink();
        RemoveTree(m_root);
        CreateDirectoryW(m_root.c_str(), nullptr);

        // Paths around the 259-byte limit: found up to it, skipped past it, created through \\?\.
        const std::wstring longFolder = m_root + L"\\long\\" + std::wstring(240 - m_root.size() - 6, L'd');
        for (size_t length : {250, 255, 259, 260, 280}) Put(longFolder, length, L".tmp", true);
        Put(longFolder, 257, L".txt", false);
        const std::wstring deeper = longFolder + L"\\" + std::wstring(275 - longFolder.size() - 1, L'e');
        Put(deeper, 290, L".old", true);
        Put(deeper, 300, L".tmp", true);

        // 乗 is 81 5C and 媆 is 8B 5C: their trail byte is a backslash.
        Add(L"gbk\\\u4e57\\a.tmp", 3000, true);
        Add(L"gbk\\\u4e57\\\u5a86.tmp", 1024, true);
        Add(L"gbk\\\u4e57\\\u5a86.txt", 1024, false);
        Add(L"gbk\\\u5a86\u4e57\\b.gid", 2048, true);
        Add(L"gbk\\x\u5a86.old", 5000, true);

        // A link back up its own tree; followed, the junk beside it would be listed again and again.
        Add(L"loop\\l.tmp", 1024, true);
        ASSERT_TRUE(MakeUnixLink(Ansi(m_root + L"\\loop\\up"), "..")) << "no link at loop\\up";

        // Thai is outside code page 936: the narrow functions see "??" and cannot open the folder.
        Add(L"\u0e44\u0e17\\hidden.tmp", 2048, true);
        Add(L"\u0e44\u0e17\\hidden.txt", 2048, false);

        // "a.ไท~" is listed as "a.??~"; that name must never reach the system as a pattern.
        Add(L"wild\\a.\u0e44\u0e17~", 1024, true, true);
        Add(L"wild\\a.bc~", 1024, false);

        // "dot." (made through the long-path form) is reached by no narrow path: "dot.\f.tmp" would
        // name "dot\f.tmp".
        Add(L"dot\\e.tmp", 1024, true);
        Add(L"dot.\\f.tmp", 1024, true);

        Add(L"ro\\r1.tmp", 2048, true, true);
        Add(L"ro\\r2.old", 1500, true, true);
        Add(L"ro\\keep.txt", 1500, false);
        Add(L"held\\h.tmp", 4096, true, true);

        CreateDirectoryW((m_root + L"\\empty").c_str(), nullptr);
        struct Sized {
            const wchar_t* name;
            uint64_t bytes;
            bool junk;
        };
        for (const Sized& file :
             {Sized{L"zero.tmp", 0, true}, Sized{L"zero.txt", 0, false}, Sized{L"k.tmp", 1024, true},
              Sized{L"k.txt", 1024, false}, Sized{L"k1.gid", 1023, true}, Sized{L"k2._mp", 2047, true}})
            Add(std::wstring(L"sizes\\") + file.name, file.bytes, file.junk);

        const auto manyStart = GetTickCount64();
        for (int i = 0; i < kManyFiles; ++i) {
            wchar_t name[32];
            // 2,000 junk lines: "全部删除" takes seconds over them under Wine, and the window must
            // answer all the same.
            const bool junk = i % 10 == 7;
            swprintf(name, 32, L"many\\f%05d.%ls", i, junk ? (i % 20 == 7 ? L"tmp" : L"syd") : L"txt");
            // Most of them under 1 KB, so the summary stays in KB.
            const uint64_t bytes = !junk          ? i % 97
                                   : i % 200 == 7 ? 1024u * (1 + i % 3)
                                                  : static_cast<uint64_t>(i % 1024);
            Add(name, bytes, junk);
        }
        std::printf("%d files in one folder made in %.1f s\n", kManyFiles, SecondsSince(manyStart));

        for (const FixtureFile& file : m_files) {
            if (file.path.find(L"\\ro\\") != std::wstring::npos && file.junk) {
                ASSERT_TRUE(SetFileAttributesW(Long(file.path).c_str(), FILE_ATTRIBUTE_READONLY));
            }
        }
        // Held by this process without delete sharing until the test ends.
        m_hHeld = CreateFileW((m_root + L"\\held\\h.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(m_hHeld, INVALID_HANDLE_VALUE);

        // Files in the program's current folder named like each report line.
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const std::string bin = std::string(self).substr(0, std::string(self).find_last_of('\\'));
        for (const char* line : kReportLines) {
            m_baits.push_back(Wide(bin + "\\" + line));
            Write(m_baits.back(), 77);
        }

        for (FixtureFile& file : m_files) file.before = FingerprintOf(file.path);
        std::printf("fixture of %zu files made in %.1f s\n", m_files.size(), SecondsSince(start));
    }

    void TearDown() override {
        if (m_hHeld != INVALID_HANDLE_VALUE) CloseHandle(m_hHeld);
        for (const std::wstring& bait : m_baits) DeleteFileW(bait.c_str());
        if (!m_root.empty()) {
            RemoveLoopLink();
            RemoveTree(m_root);
        }
        FlorrinTest::TearDown();
    }

    // The link is removed by Unix, so no removal of the tree can follow it (one left by an
    // interrupted run included).
    void RemoveLoopLink() { RemoveUnixLink(Ansi(m_root + L"\\loop\\up")); }

    // A file under the fixture folder, of `bytes` bytes of content that differs from file to file.
    void Add(const std::wstring& relative, uint64_t bytes, bool junk, bool kept = false) {
        FixtureFile file{m_root + L"\\" + relative, bytes, junk, kept, {}};
        // Each folder once: under Wine every call is a round trip to the server.
        for (size_t at = file.path.find(L'\\', m_root.size() + 1); at != std::wstring::npos;
             at = file.path.find(L'\\', at + 1)) {
            if (m_folders.insert(file.path.substr(0, at)).second)
                CreateDirectoryW(Long(file.path.substr(0, at)).c_str(), nullptr);
        }
        Write(file.path, bytes);
        m_files.push_back(file);
    }

    // A file in folder whose whole path is `length` characters, ending in extension.
    void Put(const std::wstring& folder, size_t length, const std::wstring& extension, bool junk) {
        const std::wstring name =
            std::wstring(length - folder.size() - 1 - extension.size(), L'n') + extension;
        Add(folder.substr(m_root.size() + 1) + L"\\" + name, 100 + length, junk);
    }

    void Write(const std::wstring& path, uint64_t bytes) {
        HANDLE f = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE) << Ansi(path);
        std::vector<char> content(static_cast<size_t>(bytes));
        uint32_t x = static_cast<uint32_t>(++m_nWritten) * 2654435761u | 1;
        for (char& c : content) {
            x ^= x << 13, x ^= x >> 17, x ^= x << 5;
            c = static_cast<char>(x);
        }
        DWORD written = 0;
        EXPECT_TRUE(content.empty() ||
                    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
        CloseHandle(f);
    }

    // The walk lists a junk file when its folder can be opened by the narrow functions (no '?' in
    // it, no part ending in a dot, its search pattern within the limit) and its own path is within
    // the limit.
    static bool Listable(const FixtureFile& file) {
        const std::string folder = Ansi(FolderOf(file.path));
        return file.junk && folder.find('?') == std::string::npos &&
               folder.find(".\\") == std::string::npos && folder.back() != '.' &&
               folder.size() + 4 <= kMaxPathBytes && Ansi(file.path).size() <= kMaxPathBytes;
    }

    std::wstring m_root;
    std::vector<FixtureFile> m_files;
    std::vector<std::wstring> m_baits;
    std::set<std::wstring> m_folders;
    HANDLE m_hHeld = INVALID_HANDLE_VALUE;
    int m_nWritten = 0;
};

std::vector<std::string> Lines(const FlorrinSession& app) {
    std::vector<std::string> lines;
    const int count = app.ListCount(IDC_RESULT_LIST);
    for (int i = 0; i < count; ++i) lines.push_back(app.ListLine(IDC_RESULT_LIST, i));
    return lines;
}

bool ScanEnded(const FlorrinSession& app) {
    return app.IsEnabled(IDC_START) && !app.IsEnabled(IDC_STOP) &&
           app.Text(IDC_STATUS_TEXT).rfind(kSummaryStart, 0) == 0;
}

TEST_F(HostileTreeE2E, OnlyReachableJunkIsListedAndOnlyDeletableJunkGoes) {
    std::map<std::string, const FixtureFile*> expected;
    uint32_t expectedKB = 0;
    for (const FixtureFile& file : m_files) {
        if (!Listable(file)) continue;
        expected[Ansi(file.path)] = &file;
        expectedKB += static_cast<uint32_t>(file.bytes) >> 10;
    }
    // The tree says what it should: the limit is 259 bytes, and "a.ไท~" is seen as "a.??~".
    const std::string longFolder = Ansi(FolderOf(m_files[0].path));
    ASSERT_EQ(expected.count(longFolder + "\\" + std::string(259 - longFolder.size() - 5, 'n') + ".tmp"), 1u);
    ASSERT_EQ(expected.count(longFolder + "\\" + std::string(260 - longFolder.size() - 5, 'n') + ".tmp"), 0u);
    ASSERT_EQ(expected.count(FixtureFolder() + "\\wild\\a.??~"), 1u);

    HeldScanEvent event;
    ResponsivenessProbe probe(app.Window());
    const auto scanStart = GetTickCount64();
    app.Click(IDC_SCAN_NOW);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.ListCount(IDC_RESULT_LIST) == 6; }, 60000));
    event.Release();
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(app); }, 15 * 60 * 1000))
        << app.Text(IDC_STATUS_TEXT);
    std::printf("scan of the profile folder ended in %.1f s\n", SecondsSince(scanStart));

    std::set<std::string> paths, reports;
    for (const std::string& line : Lines(app))
        (line.find('\\') != std::string::npos ? paths : reports).insert(line);
    std::set<std::string> expectedPaths;
    for (const auto& [path, file] : expected) expectedPaths.insert(path);
    EXPECT_EQ(paths, expectedPaths);
    EXPECT_EQ(reports, std::set<std::string>(std::begin(kReportLines), std::end(kReportLines)));
    EXPECT_EQ(app.Text(IDC_STATUS_TEXT), std::string(kSummaryStart) + std::to_string(expected.size()) +
                                             " 个垃圾文件，立即清除可帮您节省 " + std::to_string(expectedKB) +
                                             "KB 磁盘空间。");

    const auto deleteStart = GetTickCount64();
    app.Click(IDC_DELETE_ALL);
    // The read-only, the held-open and the '?'-named junk stay in view, and the window says so.
    const std::string stayed = "清理完毕，4 个文件未能删除（文件只读、文件正在使用）。";
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_STATUS_TEXT) == stayed; }, 120000))
        << app.Text(IDC_STATUS_TEXT);
    std::printf("delete of %zu lines ended in %.1f s\n", paths.size() + reports.size(),
                SecondsSince(deleteStart));
    probe.Stop();
    std::printf("%d of %d WM_NULL polls unanswered within 1 s\n", probe.Misses(), probe.Polls());
    EXPECT_EQ(probe.Misses(), 0);
    std::set<std::string> keptPaths;
    for (const auto& [path, file] : expected)
        if (file->kept) keptPaths.insert(path);
    const std::vector<std::string> left = Lines(app);
    EXPECT_EQ(std::set<std::string>(left.begin(), left.end()), keptPaths);
    EXPECT_TRUE(app.IsVisible(IDC_RESULT_LIST));
    EXPECT_FALSE(app.IsVisible(IDC_SCAN_NOW));

    // "删除" on one of them keeps its line and says why.
    const int line = static_cast<int>(std::find(left.begin(), left.end(), FixtureFolder() + "\\ro\\r1.tmp") -
                                      left.begin());
    SendMessageA(app.Control(IDC_RESULT_LIST), LB_SETSEL, TRUE, line);
    SendMessageA(app.Control(IDC_RESULT_LIST), LB_SETCARETINDEX, static_cast<WPARAM>(line), FALSE);
    app.Click(IDC_DELETE);
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_STATUS_TEXT) == "无法删除：文件只读"; }))
        << app.Text(IDC_STATUS_TEXT);
    EXPECT_EQ(Lines(app), left);

    int gone = 0, kept = 0;
    for (const FixtureFile& file : m_files) {
        const bool listed = expected.count(Ansi(file.path)) != 0;
        const Fingerprint after = FingerprintOf(file.path);
        if (listed && !file.kept) {
            EXPECT_FALSE(after.exists) << "listed junk still there: " << Ansi(file.path);
            ++gone;
        } else {
            EXPECT_EQ(after, file.before) << "touched: " << Ansi(file.path);
            ++kept;
        }
    }
    std::printf("%d listed files deleted, %d files intact\n", gone, kept);
    for (const std::wstring& bait : m_baits)
        EXPECT_NE(GetFileAttributesW(bait.c_str()), INVALID_FILE_ATTRIBUTES)
            << "a report line deleted " << Ansi(bait);
    EXPECT_NE(GetFileAttributesW((m_root + L"\\empty").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((m_root + L"\\loop\\up").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
