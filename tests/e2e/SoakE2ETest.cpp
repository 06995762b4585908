// Many scan runs in a row in one florrin.exe, with the commands pressed at random moments from a
// seeded generator: FLORRIN_SOAK_SEED replays a failure (every failure message names the seed),
// FLORRIN_SOAK_RUNS sets the number of runs (default 50). After every run the program is alive,
// answers at once and is idle in a consistent state; nothing but listed junk ever leaves the disk,
// and the process holds no more handles, GDI objects or threads at the end than after its first run.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/FlorrinTest.h"

namespace {

const std::string kSummaryStart = "扫描已完成！本次共扫描出 ";
const std::string kSummaryMiddle = " 个垃圾文件，立即清除可帮您节省 ";
const std::string kSummaryEnd = " 磁盘空间。";
const std::string kCleaned = "清理完毕！";
const std::string kRefused = "请选择清理选项！";
const std::string kStartFailed = "扫描未能启动，请稍后再试。";

// Counts that may differ between two idle moments without a leak: the clean thread of the last
// run may still hold its handles, and Wine opens and caches a few of its own on demand. A leak of
// one per run shows as one per run, far beyond these over 50 runs.
constexpr long kHandleMargin = 8;
constexpr long kGdiMargin = 4;
constexpr long kThreadMargin = 2;

constexpr DWORD kRunTimeoutMs = 60000;
constexpr DWORD kAnswerMs = 1000;

std::optional<unsigned long> EnvNumber(const char* name) {
    char value[32] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    if (n == 0 || n >= sizeof value) return std::nullopt;
    char* end = nullptr;
    const unsigned long number = std::strtoul(value, &end, 10);
    if (end == value || *end != '\0') return std::nullopt;
    return number;
}

// The summary sentence taken apart: the junk count and the size text ("512KB", "3MB", "1.50GB").
struct Summary {
    unsigned long count = 0;
    std::string size;
};

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool IsSizeText(const std::string& size) {
    if (size.size() < 3) return false;
    const std::string unit = size.substr(size.size() - 2), number = size.substr(0, size.size() - 2);
    if (unit == "KB" || unit == "MB") return AllDigits(number);
    if (unit != "GB") return false;
    const size_t point = number.find('.');
    return point != std::string::npos && AllDigits(number.substr(0, point)) && number.size() - point == 3 &&
           AllDigits(number.substr(point + 1));
}

std::optional<Summary> ParseSummary(const std::string& text) {
    if (text.rfind(kSummaryStart, 0) != 0 || text.size() < kSummaryStart.size() + kSummaryEnd.size())
        return {};
    if (text.compare(text.size() - kSummaryEnd.size(), kSummaryEnd.size(), kSummaryEnd) != 0) return {};
    const std::string inner =
        text.substr(kSummaryStart.size(), text.size() - kSummaryStart.size() - kSummaryEnd.size());
    const size_t middle = inner.find(kSummaryMiddle);
    if (middle == std::string::npos) return {};
    Summary summary;
    const std::string count = inner.substr(0, middle);
    summary.size = inner.substr(middle + kSummaryMiddle.size());
    if (!AllDigits(count) || count.size() > 10 || !IsSizeText(summary.size)) return {};
    summary.count = std::stoul(count);
    return summary;
}

// The size text of a total below 1 GB, which is all a small fixture can reach.
std::string SmallSizeText(uint64_t kb) {
    return kb < 1024 ? std::to_string(kb) + "KB" : std::to_string(kb >> 10) + "MB";
}

uint64_t Fnv1a(const std::vector<char>& bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

std::optional<uint64_t> FileChecksum(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<char> bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(f);
    return Fnv1a(bytes) ^ bytes.size();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What the program holds, as far as this platform can tell from another process.
struct ProcessCounts {
    std::optional<long> handles;
    std::optional<long> gdi;
    long threads = 0;
    std::string handleSource;
};

// NtQuerySystemInformation(SystemExtendedHandleInformation): every handle of every process, with
// its owner. Wine answers this where the per-process count reads 0.
struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT typeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG kExtendedHandleInformation = 64;
constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);

std::optional<long> SystemTableHandleCount(DWORD processId) {
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return std::nullopt;
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const LONG status =
            query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kLengthMismatch) {
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status < 0) return std::nullopt;
        const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
        long count = 0;
        for (ULONG_PTR i = 0; i < table->count; ++i)
            count += table->entries[i].processId == processId ? 1 : 0;
        return count;
    }
    return std::nullopt;
}

long ThreadCount(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    long count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == processId ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

ProcessCounts CountsOf(DWORD processId) {
    ProcessCounts counts;
    counts.threads = ThreadCount(processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process) {
        DWORD handles = 0;
        if (GetProcessHandleCount(process, &handles) && handles > 0) {
            counts.handles = static_cast<long>(handles);
            counts.handleSource = "GetProcessHandleCount";
        }
        const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
        if (gdi > 0) counts.gdi = static_cast<long>(gdi);
        CloseHandle(process);
    }
    if (!counts.handles) {
        counts.handles = SystemTableHandleCount(processId);
        if (counts.handles) counts.handleSource = "NtQuerySystemInformation(SystemExtendedHandleInformation)";
    }
    return counts;
}

struct FixtureFile {
    std::string relative;
    uint32_t bytes;
    bool junk;
};

// A few hundred files in five folders: a quarter junk (one of each pattern), the rest near misses
// and ordinary names. The content depends on the name, so a checksum tells the files apart.
std::vector<FixtureFile> SoakFiles() {
    static const char* const kFolders[] = {"", "docs\\", "docs\\old\\", "Temp\\", "Temp\\cache\\"};
    static const char* const kJunk[] = {".tmp", ".old", ".gid", "._mp", ".syd", ".ab~"};
    static const char* const kKept[] = {".txt", ".TMP", ".tmp.bak", ".doc", ".OLD", ".gidx", ".a~", ".tm"};
    std::vector<FixtureFile> files;
    std::mt19937 sizes(20261207);  // the fixture is the same for every seed
    for (const char* folder : kFolders) {
        for (int i = 0; i < 60; ++i) {
            const bool junk = i % 4 == 0;
            const std::string ext = junk ? kJunk[(i / 4) % 6] : kKept[i % 8];
            files.push_back({std::string(folder) + "f" + std::to_string(i) + ext,
                             static_cast<uint32_t>(sizes() % (6 * 1024)), junk});
        }
    }
    return files;
}

class SoakE2E : public FlorrinTest {
protected:
    void PrepareFixture() override {
        m_files = SoakFiles();
        for (const FixtureFile& file : m_files) WriteFixtureFile(file);
    }

    std::string PathOf(const FixtureFile& file) const { return FixtureFolder() + "\\" + file.relative; }

    void WriteFixtureFile(const FixtureFile& file) {
        AddFile(file.relative, 0);
        std::vector<char> bytes(file.bytes);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(file.relative[i % file.relative.size()] + i);
        HANDLE f = CreateFileA(PathOf(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE) << PathOf(file);
        DWORD written = 0;
        EXPECT_TRUE(bytes.empty() || WriteFile(f, bytes.data(), file.bytes, &written, nullptr));
        CloseHandle(f);
    }

    std::map<std::string, uint64_t> KeptChecksums() const {
        std::map<std::string, uint64_t> sums;
        for (const FixtureFile& file : m_files) {
            if (!file.junk) sums[PathOf(file)] = FileChecksum(PathOf(file)).value_or(0);
        }
        return sums;
    }

    // Puts back the junk files that deletes removed, so every run has something to find.
    void TopUp() {
        for (const FixtureFile& file : m_files) {
            if (file.junk && !Exists(PathOf(file))) WriteFixtureFile(file);
        }
    }

    // WM_NULL answered within a second: the interface thread is not stuck.
    bool Answers() const {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result) != 0;
    }

    bool Alive() const { return !app.WaitForExit(0); }

    bool ButtonsIdle() const {
        return app.IsEnabled(IDC_START) && !app.IsEnabled(IDC_STOP) && !app.IsEnabled(IDC_PAUSE);
    }

    // Waits until the buttons are idle and the status line has kept its text for a while (the
    // scan thread of a stopped run writes its own summary after the stop's). A run found held
    // is handed to `release`, once, since a held run never ends. False on a hang, an ended
    // program or the time running out; `why` says which.
    bool WaitForIdle(std::string& why, const std::function<void()>& release = {}) const {
        bool released = false;
        std::string last;
        ULONGLONG since = GetTickCount64();
        const ULONGLONG end = since + kRunTimeoutMs;
        for (;;) {
            if (!Alive())
                why = "the program ended";
            else if (!Answers())
                why = "WM_NULL not answered within 1 s";
            if (!why.empty()) return false;
            const std::string status = app.Text(IDC_STATUS_TEXT);
            if (release && !released && app.Text(IDC_PAUSE) == "继续") {
                released = true;
                release();
            }
            if (!ButtonsIdle() || status != last) {
                last = status;
                since = GetTickCount64();
            } else if (GetTickCount64() - since >= 400) {
                return true;
            }
            if (GetTickCount64() >= end) {
                why = "the run did not end within 60 s: " + status;
                return false;
            }
            Sleep(20);
        }
    }

    // Waits until the process's thread count has kept still for a second, so that a clean
    // thread still at work does not count as a leak.
    ProcessCounts SettledCounts() const {
        long threads = ThreadCount(app.ProcessId());
        ULONGLONG since = GetTickCount64();
        const ULONGLONG end = since + 20000;
        while (GetTickCount64() < end && GetTickCount64() - since < 1000) {
            Sleep(100);
            const long now = ThreadCount(app.ProcessId());
            if (now != threads) {
                threads = now;
                since = GetTickCount64();
            }
        }
        return CountsOf(app.ProcessId());
    }

    std::vector<FixtureFile> m_files;
};

TEST_F(SoakE2E, ManyRunsWithCommandsAtRandomMomentsLeaveTheProgramIdleConsistentAndLeakFree) {
    const unsigned long seed =
        EnvNumber("FLORRIN_SOAK_SEED").value_or(static_cast<unsigned long>(GetTickCount64()));
    const unsigned long runs = EnvNumber("FLORRIN_SOAK_RUNS").value_or(50);
    std::printf("soak seed %lu, %lu runs (FLORRIN_SOAK_SEED=%lu replays it)\n", seed, runs, seed);
    std::fflush(stdout);
    SCOPED_TRACE("FLORRIN_SOAK_SEED=" + std::to_string(seed));
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    auto pause = [&](DWORD most) { Sleep(random() % (most + 1)); };

    const std::map<std::string, uint64_t> keptBefore = KeptChecksums();
    std::set<std::string> junkPaths;
    std::map<std::string, uint32_t> junkKB;
    for (const FixtureFile& file : m_files) {
        if (file.junk) {
            junkPaths.insert(PathOf(file));
            junkKB[PathOf(file)] = file.bytes >> 10;
        }
    }

    const ULONGLONG soakStart = GetTickCount64();
    ProcessCounts first, peak;
    std::map<std::string, int> tally;
    for (unsigned long run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run + 1) + " of " + std::to_string(runs));
        std::string log;  // the commands of this run, for the failure message
        auto note = [&](const std::string& what) { log += what + " "; };

        // Now and then a start with no option checked, which must change nothing but the status.
        if (chance(5)) {
            note("全不选");
            app.Click(IDC_SELECT_NONE);
            const bool big = app.IsVisible(IDC_SCAN_NOW);
            note(big ? "立即扫描" : "开始");
            app.Click(big ? IDC_SCAN_NOW : IDC_START);
            std::string why;
            ASSERT_TRUE(WaitForIdle(why)) << why << "; " << log;
            EXPECT_EQ(app.Text(IDC_STATUS_TEXT), kRefused) << log;
            EXPECT_TRUE(app.IsVisible(IDC_SCAN_NOW)) << log;
            note("全选");
            app.Click(IDC_SELECT_ALL);
            ++tally["start with no option"];
        }

        // Start: the big button while it is shown (else "开始"), retried while the last run's
        // scan thread has not yet returned.
        bool accepted = false;
        for (int attempt = 0; attempt < 20 && !accepted; ++attempt) {
            const std::string before = app.Text(IDC_STATUS_TEXT);
            const bool big = app.IsVisible(IDC_SCAN_NOW) && chance(70);
            note(big ? "立即扫描" : "开始");
            app.Click(big ? IDC_SCAN_NOW : IDC_START);
            std::string status;
            ASSERT_TRUE(FlorrinSession::WaitUntil(
                [&] {
                    status = app.Text(IDC_STATUS_TEXT);
                    return app.IsEnabled(IDC_STOP) || status != before || status == kRefused;
                },
                10000))
                << "a start changed nothing; " << log;
            accepted = status != kRefused && status != kStartFailed;
            if (!accepted) {
                note("(refused)");
                ++tally["start refused"];
                std::string why;
                ASSERT_TRUE(WaitForIdle(why)) << why << "; " << log;
            }
        }
        ASSERT_TRUE(accepted) << "every start refused; " << log;
        ++tally["runs"];
        // While the workers run: shows that the counts see them at all.
        const ProcessCounts running = CountsOf(app.ProcessId());
        peak.threads = std::max(peak.threads, running.threads);
        peak.handles = std::max(peak.handles.value_or(0), running.handles.value_or(0));

        // Up to four commands at random moments while the walk runs (or after it has ended).
        bool countsTellAll = true;  // no line removed and no second walk: the summary counts the list
        const int steps = static_cast<int>(random() % 5);
        for (int step = 0; step < steps; ++step) {
            pause(300);
            ASSERT_TRUE(Answers()) << "WM_NULL not answered within 1 s; " << log;
            const int pick = static_cast<int>(random() % 100);
            // Now and then a double click: the second arrives behind the first's changes.
            const int clicks = chance(15) ? 2 : 1;
            if (clicks == 2) note("2x");
            if (pick < 25) {
                note(app.Text(IDC_PAUSE) == "继续" ? "继续" : "暂停");
                for (int i = 0; i < clicks; ++i) app.Click(IDC_PAUSE);
                ++tally["pause/continue"];
            } else if (pick < 40) {
                note("停止");
                for (int i = 0; i < clicks; ++i) app.Click(IDC_STOP);
                ++tally["stop"];
            } else if (pick < 48) {
                // A start while the walk runs is refused; after its end it begins a new run.
                const bool big = app.IsVisible(IDC_SCAN_NOW);
                note(big ? "立即扫描" : "开始");
                for (int i = 0; i < clicks; ++i) app.Click(big ? IDC_SCAN_NOW : IDC_START);
                countsTellAll = false;
                ++tally["start during a run"];
            } else if (pick < 60) {
                // Both queued together: the start arrives while the stopped walk unwinds.
                note("停止+开始");
                app.Click(IDC_STOP);
                app.Click(app.IsVisible(IDC_SCAN_NOW) ? IDC_SCAN_NOW : IDC_START);
                countsTellAll = false;
                ++tally["stop then start"];
            } else if (pick < 85) {
                const int count = app.ListCount(IDC_RESULT_LIST);
                if (count > 0) {
                    HWND list = app.Control(IDC_RESULT_LIST);
                    const int line = static_cast<int>(random() % static_cast<unsigned>(count));
                    SendMessageA(list, LB_SETSEL, FALSE, -1);
                    SendMessageA(list, LB_SETSEL, TRUE, line);
                    SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(line), FALSE);
                }
                note("删除");
                for (int i = 0; i < clicks; ++i) app.Click(IDC_DELETE);
                countsTellAll = false;
                ++tally["delete"];
            } else {
                note("全部删除");
                for (int i = 0; i < clicks; ++i) app.Click(IDC_DELETE_ALL);
                countsTellAll = false;
                ++tally["delete all"];
            }
        }
        std::string why;
        const bool stopHeld = chance(50);
        ASSERT_TRUE(WaitForIdle(why,
                                [&] {
                                    note(stopHeld ? "停止" : "继续");
                                    app.Click(stopHeld ? IDC_STOP : IDC_PAUSE);
                                }))
            << why << "; " << log;

        // The idle state: buttons, pause text, tree, and one of the program's own status texts.
        EXPECT_EQ(app.Text(IDC_PAUSE), "暂停") << log;
        EXPECT_TRUE(app.IsEnabled(IDC_DIR_TREE)) << log;
        const std::string status = app.Text(IDC_STATUS_TEXT);
        const std::optional<Summary> summary = ParseSummary(status);
        EXPECT_TRUE(summary || status == kCleaned || status == kRefused || status == kStartFailed)
            << "status line: " << status << "; " << log;

        // The list: no line twice, only the fixture's junk among the fixture's paths.
        std::set<std::string> paths;
        const int lines = app.ListCount(IDC_RESULT_LIST);
        for (int i = 0; i < lines; ++i) {
            const std::string line = app.ListLine(IDC_RESULT_LIST, i);
            if (line.find('\\') == std::string::npos) continue;
            EXPECT_TRUE(paths.insert(line).second) << line << " listed twice; " << log;
            if (line.rfind(FixtureFolder() + "\\", 0) == 0) {
                EXPECT_TRUE(junkPaths.count(line)) << line << "; " << log;
            }
        }
        if (summary && countsTellAll && app.IsVisible(IDC_RESULT_LIST)) {
            uint64_t kb = 0;
            for (const std::string& path : paths) kb += junkKB.count(path) ? junkKB[path] : 0;
            EXPECT_EQ(summary->count, paths.size()) << status << "; " << log;
            EXPECT_EQ(summary->size, SmallSizeText(kb)) << status << "; " << log;
        }

        for (const auto& [path, sum] : keptBefore) ASSERT_TRUE(Exists(path)) << path << " is gone; " << log;
        if (HasFailure()) break;

        if (run == 0) first = SettledCounts();
        TopUp();
    }
    const double seconds = static_cast<double>(GetTickCount64() - soakStart) / 1000.0;

    // Nothing but listed junk left the disk, and nothing else changed.
    EXPECT_EQ(KeptChecksums(), keptBefore) << "a file that is not junk changed";

    const ProcessCounts last = SettledCounts();
    std::printf("soak: %lu runs in %.1f s (%.2f s a run), %zu files, %zu of them junk\n", runs, seconds,
                seconds / static_cast<double>(runs ? runs : 1), m_files.size(), junkPaths.size());
    for (const auto& [what, count] : tally) std::printf("  %s: %d\n", what.c_str(), count);
    std::printf(
        "threads after the first run %ld, after the soak %ld (margin %ld), at most %ld during a run\n",
        first.threads, last.threads, kThreadMargin, peak.threads);
    EXPECT_LE(last.threads, first.threads + kThreadMargin);
    if (first.handles && last.handles) {
        std::printf(
            "handles after the first run %ld, after the soak %ld (margin %ld), at most %ld during a run, by "
            "%s\n",
            *first.handles, *last.handles, kHandleMargin, peak.handles.value_or(0),
            first.handleSource.c_str());
        EXPECT_LE(*last.handles, *first.handles + kHandleMargin);
    } else {
        std::printf("handles: the platform cannot tell\n");
    }
    if (first.gdi && last.gdi) {
        std::printf("GDI objects after the first run %ld, after the soak %ld (margin %ld)\n", *first.gdi,
                    *last.gdi, kGdiMargin);
        EXPECT_LE(*last.gdi, *first.gdi + kGdiMargin);
    } else {
        std::printf("GDI objects: the platform cannot tell (GetGuiResources reads 0)\n");
    }
}

// The parser the soak judges the status line with.
TEST(SoakSummaryParser, AcceptsTheSentenceAndRejectsEverythingElse) {
    struct Case {
        const char* text;
        bool ok;
        unsigned long count;
        const char* size;
    };
    const Case cases[] = {
        {"扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 512KB 磁盘空间。", true, 3, "512KB"},
        {"扫描已完成！本次共扫描出 0 个垃圾文件，立即清除可帮您节省 0KB 磁盘空间。", true, 0, "0KB"},
        {"扫描已完成！本次共扫描出 70 个垃圾文件，立即清除可帮您节省 1023MB 磁盘空间。", true, 70, "1023MB"},
        {"扫描已完成！本次共扫描出 9 个垃圾文件，立即清除可帮您节省 1.50GB 磁盘空间。", true, 9, "1.50GB"},
        {"扫描已完成！本次共扫描出  个垃圾文件，立即清除可帮您节省 0KB 磁盘空间。", false, 0, ""},
        {"扫描已完成！本次共扫描出 -1 个垃圾文件，立即清除可帮您节省 0KB 磁盘空间。", false, 0, ""},
        {"扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 512 KB 磁盘空间。", false, 0, ""},
        {"扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 1.5GB 磁盘空间。", false, 0, ""},
        {"扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 KB 磁盘空间。", false, 0, ""},
        {"扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 512KB 磁盘空间", false, 0, ""},
        {"C:\\users\\a.tmp", false, 0, ""},
        {"清理完毕！", false, 0, ""},
    };
    for (const Case& c : cases) {
        const std::optional<Summary> summary = ParseSummary(c.text);
        ASSERT_EQ(summary.has_value(), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(summary->count, c.count) << c.text;
        EXPECT_EQ(summary->size, c.size) << c.text;
    }
}

}  // namespace
