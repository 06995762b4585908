#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/FlorrinTest.h"
#include "tests/e2e/HeldScanEvent.h"
#include "tests/e2e/Screenshot.h"
#include "tests/support/UnixLink.h"

namespace {

const char* const kSummaryStart = "扫描已完成！本次共扫描出 ";
const char* const kRefused = "请选择清理选项！";

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

std::vector<std::string> Lines(const FlorrinSession& app) {
    std::vector<std::string> lines;
    const int count = app.ListCount(IDC_RESULT_LIST);
    for (int i = 0; i < count; ++i) lines.push_back(app.ListLine(IDC_RESULT_LIST, i));
    return lines;
}

// The run has ended: Start is enabled again and the status line holds the summary.
bool ScanEnded(const FlorrinSession& app) {
    return app.IsEnabled(IDC_START) && !app.IsEnabled(IDC_STOP) &&
           StartsWith(app.Text(IDC_STATUS_TEXT), kSummaryStart);
}

// Leaves only option `index` checked: "全不选", then the space key on that line.
void CheckOnly(const FlorrinSession& app, int index) {
    app.Click(IDC_SELECT_NONE);
    HWND options = app.Control(IDC_OPTION_LIST);
    SendMessageA(options, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Posted after the click, so handled after it, and before anything posted later.
    PostMessageA(options, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(options, WM_KEYUP, VK_SPACE, 0);
}

// The report lines the clean worker adds with all seven options checked.
const std::set<std::string> kReportLines = {
    "回收站清空完毕！",       "剪贴板清空完毕！",   "Internet 临时文件清空完毕！",
    "网址历史记录清空完毕！", "Cookies 清空完毕！", "最近网址记录清空完毕！"};

class ScanRunE2E : public FlorrinTest {
protected:
    void SetUp() override {
        FlorrinTest::SetUp();
        if (!HasFailure() && app.ListCount(IDC_OPTION_LIST) == 0 && NeedsOptions())
            GTEST_SKIP() << "the dialog's initialisation does not fill the option list yet";
    }
    // Whether the case needs the seven options in the list.
    virtual bool NeedsOptions() const { return true; }

    void PrepareFixture() override {
        // Three junk files of 512 KB in all, and files that are not junk.
        AddFile("a.tmp", 100 * 1024);
        AddFile("keep.txt", 300 * 1024);
        AddFile("Temp\\b.old", 200 * 1024);
        AddFile("Temp\\deep\\c.gid", 212 * 1024);
        AddFile("Temp\\deep\\d.TMP", 4096);
        AddFile("Temp\\e.tmp.bak", 4096);
        // The cookies folder exists, so the clean worker reaches its last two steps.
        char cookies[MAX_PATH] = {};
        SHGetSpecialFolderPathA(nullptr, cookies, CSIDL_COOKIES, TRUE);
    }

    std::set<std::string> FixtureJunk() const {
        return {FixtureFolder() + "\\a.tmp", FixtureFolder() + "\\Temp\\b.old",
                FixtureFolder() + "\\Temp\\deep\\c.gid"};
    }
};

TEST_F(ScanRunE2E, FullScanListsExactlyTheJunkAndTheReportsAndEndsWithTheSentence) {
    HeldScanEvent event;
    app.Click(IDC_SCAN_NOW);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.ListCount(IDC_RESULT_LIST) == 6; }, 30000));
    EXPECT_FALSE(app.IsEnabled(IDC_START)) << "the walk did not wait for the event";
    event.Release();
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(app); }, 60000))
        << app.Text(IDC_STATUS_TEXT);

    std::set<std::string> paths, reports;
    for (const std::string& line : Lines(app))
        (line.find('\\') != std::string::npos ? paths : reports).insert(line);
    EXPECT_EQ(paths, FixtureJunk());
    EXPECT_EQ(reports, kReportLines);
    EXPECT_EQ(app.Text(IDC_STATUS_TEXT),
              "扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 512KB 磁盘空间。");

    // Idle again: the tree is back, Stop and Pause are off, the big button stays hidden.
    EXPECT_TRUE(app.IsEnabled(IDC_DIR_TREE));
    EXPECT_FALSE(app.IsEnabled(IDC_PAUSE));
    EXPECT_EQ(app.Text(IDC_PAUSE), "暂停");
    EXPECT_FALSE(app.IsVisible(IDC_SCAN_NOW));
    EXPECT_TRUE(app.IsVisible(IDC_PROGRESS));
    EXPECT_TRUE(app.IsVisible(IDC_RESULT_LIST));
    HWND progress = app.Control(IDC_PROGRESS);
    EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), SendMessageA(progress, PBM_GETRANGE, FALSE, 0));
}

TEST_F(ScanRunE2E, ASecondRunWithoutTemporaryFilesFindsNothing) {
    app.Click(IDC_SCAN_NOW);
    ASSERT_TRUE(FlorrinSession::WaitUntil(
        [&] { return ScanEnded(app) && app.ListCount(IDC_RESULT_LIST) == 9; }, 60000));

    CheckOnly(app, 2);  // "剪贴板" only: no patterns
    // The first run's summary would otherwise pass for the second's before that is written.
    SetWindowTextA(GetDlgItem(app.Window(), IDC_STATUS_TEXT), "");
    app.Click(IDC_START);
    ASSERT_TRUE(FlorrinSession::WaitUntil(
        [&] { return ScanEnded(app) && app.ListCount(IDC_RESULT_LIST) == 1; }, 60000))
        << app.Text(IDC_STATUS_TEXT) << " / " << app.ListCount(IDC_RESULT_LIST);
    EXPECT_EQ(Lines(app), std::vector<std::string>{"剪贴板清空完毕！"});
    EXPECT_EQ(app.Text(IDC_STATUS_TEXT),
              "扫描已完成！本次共扫描出 0 个垃圾文件，立即清除可帮您节省 0KB 磁盘空间。");
}

class RefusalE2E : public ScanRunE2E {
protected:
    bool NeedsOptions() const override { return false; }
};

TEST_F(RefusalE2E, NoOptionCheckedRefusesBothStarts) {
    app.Click(IDC_SELECT_NONE);
    app.Click(IDC_START);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_STATUS_TEXT) == kRefused; }));
    EXPECT_TRUE(app.IsVisible(IDC_SCAN_NOW));
    EXPECT_FALSE(app.IsVisible(IDC_RESULT_LIST));
    EXPECT_TRUE(app.IsEnabled(IDC_START));
    EXPECT_FALSE(app.IsEnabled(IDC_STOP));
}

TEST_F(ScanRunE2E, DeleteAllDeletesExactlyTheListedJunkAndNothingAFolderSwappedForALinkLeadsTo) {
    // A file named like a report line in the program's current folder, which the user was never
    // shown as junk.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string bait = self;
    bait = bait.substr(0, bait.find_last_of('\\') + 1) + "回收站清空完毕！";
    HANDLE f =
        CreateFileA(bait.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    // Same-named junk outside the scanned profile folder.
    const std::string outside = "C:\\florrin-e2e-outside";
    CreateDirectoryA(outside.c_str(), nullptr);
    f = CreateFileA((outside + "\\c.gid").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);

    app.Click(IDC_SCAN_NOW);
    ASSERT_TRUE(FlorrinSession::WaitUntil(
        [&] { return ScanEnded(app) && app.ListCount(IDC_RESULT_LIST) == 9; }, 60000));
    // Between the walk and the delete, a folder of the tree becomes a link to the outside one.
    const std::string swapped = FixtureFolder() + "\\Temp\\deep";
    ASSERT_TRUE(MoveFileA(swapped.c_str(), (swapped + "-moved").c_str()));
    ASSERT_TRUE(MakeUnixLink(swapped, UnixPath(outside)));
    app.Click(IDC_DELETE_ALL);
    const std::string stayed = "清理完毕，1 个文件未能删除（路径已改变）。";
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_STATUS_TEXT) == stayed; }, 20000))
        << app.Text(IDC_STATUS_TEXT);
    Sleep(1000);  // the list repaints a moment after the status line
    KeepScreenshot("after-delete-all-with-a-swapped-folder");

    EXPECT_NE(GetFileAttributesA((outside + "\\c.gid").c_str()), INVALID_FILE_ATTRIBUTES)
        << "deleted through the link";
    EXPECT_NE(GetFileAttributesA((swapped + "-moved\\c.gid").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Lines(app), std::vector<std::string>{swapped + "\\c.gid"});
    EXPECT_TRUE(RemoveUnixLink(swapped));
    DeleteFileA((outside + "\\c.gid").c_str());
    RemoveDirectoryA(outside.c_str());
    for (const char* junk : {"\\a.tmp", "\\Temp\\b.old"})
        EXPECT_EQ(GetFileAttributesA((FixtureFolder() + junk).c_str()), INVALID_FILE_ATTRIBUTES) << junk;
    for (const char* kept : {"\\keep.txt", "\\Temp\\deep-moved\\d.TMP", "\\Temp\\e.tmp.bak"})
        EXPECT_NE(GetFileAttributesA((FixtureFolder() + kept).c_str()), INVALID_FILE_ATTRIBUTES) << kept;
    EXPECT_NE(GetFileAttributesA(bait.c_str()), INVALID_FILE_ATTRIBUTES) << "a report line deleted a file";
    DeleteFileA(bait.c_str());

    EXPECT_TRUE(app.IsVisible(IDC_RESULT_LIST));
    EXPECT_FALSE(app.IsVisible(IDC_SCAN_NOW));
}

// A tree large enough for a scan to last a few seconds under Wine.
class LongScanE2E : public ScanRunE2E {
protected:
    void PrepareFixture() override {
        for (int folder = 0; folder < 40; ++folder) {
            std::string sub = "big\\d";
            sub.append(std::to_string(folder)).append("\\");
            for (int file = 0; file < 50; ++file) {
                const std::string number = std::to_string(file);
                AddFile(std::string(sub).append("j").append(number).append(".tmp"), 2048);
                AddFile(std::string(sub).append("k").append(number).append(".txt"), 2048);
            }
        }
    }
};

// The walk no longer waits for the window, so it outruns a test; it is caught before its first
// entry instead: "Event" held here keeps it waiting while the test pauses the run.
void StartPausedBeforeTheFirstEntry(const FlorrinSession& app, HeldScanEvent& event) {
    event.Hold();
    app.PostCommand(IDC_SCAN_NOW);  // hidden after the first run
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.IsEnabled(IDC_STOP); }, 30000));
    app.Click(IDC_PAUSE);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_PAUSE) == "继续"; }));
    event.Release();
}

TEST_F(LongScanE2E, PauseHoldsTheWalkContinueResumesAndStopEndsIt) {
    CheckOnly(app, 1);  // "临时文件" only: no report line comes while the walk is held
    HeldScanEvent event;
    StartPausedBeforeTheFirstEntry(app, event);
    EXPECT_FALSE(app.IsEnabled(IDC_START));
    Sleep(1000);
    EXPECT_EQ(app.ListCount(IDC_RESULT_LIST), 0) << "the walk went on while paused";
    app.Click(IDC_PAUSE);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_PAUSE) == "暂停"; }));
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(app); }, 60000))
        << app.Text(IDC_STATUS_TEXT);
    EXPECT_EQ(app.ListCount(IDC_RESULT_LIST), 2000);

    // Stopped while held: the walk ends without taking another entry.
    StartPausedBeforeTheFirstEntry(app, event);
    app.Click(IDC_STOP);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(app); }, 20000))
        << app.Text(IDC_STATUS_TEXT);
    Sleep(500);
    EXPECT_EQ(app.ListCount(IDC_RESULT_LIST), 0);
    EXPECT_EQ(app.Text(IDC_PAUSE), "暂停");
    EXPECT_FALSE(app.IsEnabled(IDC_PAUSE));
    EXPECT_TRUE(app.IsEnabled(IDC_DIR_TREE));
    EXPECT_EQ(app.Text(IDC_STATUS_TEXT),
              "扫描已完成！本次共扫描出 0 个垃圾文件，立即清除可帮您节省 0KB 磁盘空间。");
}

TEST_F(LongScanE2E, StopFollowedAtOnceByStartNeverRunsTwoWalks) {
    CheckOnly(app, 1);
    app.Click(IDC_SCAN_NOW);
    int refused = 0;
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.ListCount(IDC_RESULT_LIST) >= 5; }, 30000))
            << app.Text(IDC_STATUS_TEXT);
        // The start comes right after the stop, while the stopped walk unwinds. Both are sent, not
        // posted, so what is read next is their outcome (the walk may also have ended already).
        SendMessageA(app.Control(IDC_STOP), BM_CLICK, 0, 0);
        SendMessageA(app.Control(IDC_START), BM_CLICK, 0, 0);
        // Accepted (a new run) or refused (the big button is shown again).
        if (app.IsVisible(IDC_SCAN_NOW)) {
            ++refused;
            // The old walk's closing steps take a few requests; then a start is accepted.
            Sleep(500);
            SendMessageA(app.Control(IDC_START), BM_CLICK, 0, 0);
            ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.IsEnabled(IDC_STOP); }, 10000));
        }
    }
    std::printf("%d of 5 starts refused while the stopped walk unwound\n", refused);
    app.Click(IDC_STOP);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(app); }, 20000));
    EXPECT_FALSE(app.WaitForExit(0)) << "the program ended";
    // Every junk path at most once: no two walks filled the same list.
    std::vector<std::string> lines = Lines(app);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(std::adjacent_find(lines.begin(), lines.end()), lines.end());
}

// Whether a pixel looks like the busy ring's yellow-green, RGB(169, 229, 41).
bool IsRingColour(COLORREF c) {
    return GetRValue(c) > 120 && GetRValue(c) < 215 && GetGValue(c) > 190 && GetBValue(c) < 100;
}

int RingPixels(const FlorrinSession& app) {
    RECT window{};
    GetWindowRect(app.Window(), &window);
    const int x = window.left + GetSystemMetrics(SM_CXDLGFRAME) + GetSystemMetrics(SM_CXBORDER) + 10;
    const int y = window.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYBORDER) +
                  GetSystemMetrics(SM_CYCAPTION) + 12;
    Screenshot shot;
    int ring = 0;
    for (int dy = 0; dy < 24; ++dy) {
        for (int dx = 0; dx < 24; ++dx) ring += IsRingColour(shot.Pixel(x + dx, y + dy)) ? 1 : 0;
    }
    return ring;
}

TEST_F(LongScanE2E, TheBusyRingTurnsAtTheTopLeftOfTheClientAreaWhileScanning) {
    EXPECT_EQ(RingPixels(app), 0) << "a ring before any scan";
    CheckOnly(app, 1);
    app.Click(IDC_SCAN_NOW);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.ListCount(IDC_RESULT_LIST) >= 5; }, 30000));
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return RingPixels(app) >= 20; }, 3000)) << RingPixels(app);
    app.Click(IDC_STOP);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(app); }, 20000));
}

TEST_F(LongScanE2E, EscDuringAScanEndsTheProgramWithStatusZero) {
    app.Click(IDC_SCAN_NOW);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.ListCount(IDC_RESULT_LIST) >= 5; }, 30000));
    app.PressKey(VK_ESCAPE);
    ASSERT_TRUE(app.WaitForExit(10000));
    ASSERT_TRUE(app.ExitCode().has_value());
    EXPECT_EQ(*app.ExitCode(), 0u);
}

TEST_F(LongScanE2E, ASecondCopysScanWaitsForTheFirstCopysScan) {
    CheckOnly(app, 1);
    {
        HeldScanEvent event;
        StartPausedBeforeTheFirstEntry(app, event);
        // The first copy's walk has passed the event and holds it while paused.
    }

    FlorrinSession second;
    ASSERT_TRUE(second.Launch(ProgramPath()));
    CheckOnly(second, 1);
    second.Click(IDC_SCAN_NOW);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return second.IsEnabled(IDC_STOP); }));
    Sleep(1000);
    EXPECT_EQ(second.ListCount(IDC_RESULT_LIST), 0) << "the second copy walked beside the first";

    app.Click(IDC_STOP);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(app); }, 20000));
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return second.ListCount(IDC_RESULT_LIST) > 0; }, 20000));
    second.Click(IDC_STOP);
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return ScanEnded(second); }, 20000));
}

}  // namespace
