#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/CleanOption.h"
#include "engine/Cp936LeadByte.h"
#include "engine/ScanRun.h"
#include "engine/tests/RunFakes.h"

namespace {

const char* const kRoot = "C:\\Users\\me";
const std::string kRootPattern = "C:\\Users\\me\\*.*";
const std::string kSubPattern = "C:\\Users\\me\\Temp\\*.*";

FolderEntry File(std::string name, uint64_t size) { return {std::move(name), false, false, false, size}; }
FolderEntry Dir(std::string name) { return {std::move(name), true, false, false, 0}; }

// Files f0.tmp ... f(n-1).tmp of 1 KB each, all in the root.
std::vector<FolderEntry> JunkFiles(int n) {
    std::vector<FolderEntry> entries;
    for (int i = 0; i < n; ++i) {
        std::string name = std::to_string(i);
        name.insert(0, 1, 'f');
        name.append(".tmp");
        entries.push_back(File(name, 1024));
    }
    return entries;
}

class ScanRunTest : public ::testing::Test {
protected:
    ScanRunTest() : run(system.Services(folders, disk), host, IsCp936LeadByte) {
        run.SetScanFolder(kRoot);
        run.AddToProgressBasis(10 * 1024);
    }
    ~ScanRunTest() override {
        // Whatever a test left running ends before the run object goes.
        folders.AllowAll();
        system.clean.Hold(false);
        system.threads.Hold(RunWorker::Clean, false);
        system.threads.Hold(RunWorker::Scan, false);
        run.OnStop();
        system.scanEvent.Signal();
        system.threads.Join();
    }

    void WaitForIdle() {
        ASSERT_TRUE(WaitUntil([this] { return !run.HasLiveWorker(); }));
        system.threads.Join();
    }

    SteppedFolders folders;
    NoDiskSpace disk;
    FakeRunHost host;
    FakeRunSystem system;
    ScanRun run;
};

std::string Summary(int count, const std::string& size) {
    return "扫描已完成！本次共扫描出 " + std::to_string(count) + " 个垃圾文件，立即清除可帮您节省 " + size +
           " 磁盘空间。";
}

TEST_F(ScanRunTest, ScanRunFullRunListsJunkAndEndsIdle) {
    folders.Add(kRootPattern, {File("a.tmp", 100 * 1024), Dir("Temp"), File("keep.txt", 5000 * 1024)});
    folders.Add(kSubPattern, {File("b.old", 200 * 1024), File("c.gid", 212 * 1024), File("d.TMP", 1024)});

    run.OnScanNow();
    WaitForIdle();

    std::vector<std::string> lines = host.Lines();
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"C:\\Users\\me\\Temp\\b.old", "C:\\Users\\me\\Temp\\c.gid",
                                               "C:\\Users\\me\\a.tmp"}));
    EXPECT_EQ(host.Status(), Summary(3, "512KB"));
    // The end of the run resets what the next one relies on.
    EXPECT_EQ(run.Engine().JunkKB(), 0u);
    EXPECT_EQ(run.Engine().JunkCount(), 0u);
    EXPECT_EQ(run.Engine().ScannedKB(), 0u);
    EXPECT_TRUE(run.Engine().JunkPatterns().empty());
    EXPECT_FALSE(run.IsScanning());
    EXPECT_FALSE(run.IsAnimating());
    // Idle controls, and a full bar.
    EXPECT_FALSE(host.Control(RunControl::ScanNow).visible);
    EXPECT_TRUE(host.Control(RunControl::Start).enabled);
    EXPECT_FALSE(host.Control(RunControl::Stop).enabled);
    EXPECT_FALSE(host.Control(RunControl::Pause).enabled);
    EXPECT_EQ(host.Control(RunControl::Pause).text, "暂停");
    EXPECT_TRUE(host.Control(RunControl::DirTree).enabled);
    EXPECT_TRUE(host.Control(RunControl::Progress).visible);
    EXPECT_TRUE(host.Control(RunControl::ResultList).visible);
    EXPECT_EQ(host.Read(host.progressPos), 10u);
    // Another folder picked afterwards does not move the lines' folder.
    run.SetScanFolder("D:\\other");
    EXPECT_EQ(run.ListedFolder(), kRoot);
}

TEST_F(ScanRunTest, ScanRunWalkMatchesNothingBeforeItsCleanWorkersTempFilesStep) {
    // The walk starts first and waits at its first file; pause and stop still answer.
    folders.Add(kRootPattern, JunkFiles(3));
    system.clean.Hold(true);
    run.OnStart();
    ASSERT_TRUE(WaitUntil([this] { return folders.Yielded() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_TRUE(host.StatusLog().empty()) << "a name was tested before the patterns were decided";
    run.OnPause();
    EXPECT_EQ(host.Control(RunControl::Pause).text, "继续");
    run.OnPause();
    system.clean.Hold(false);
    WaitForIdle();
    EXPECT_EQ(host.Lines().size(), 3u);

    // Stopped while waiting; the stale worker's late patterns never reach the next run.
    system.clean.Hold(true);
    run.OnScanNow();
    ASSERT_TRUE(WaitUntil([this] { return folders.Yielded() == 4; }));
    const std::size_t texts = host.StatusLog().size();
    run.OnStop();
    // The stop's summary and the scan thread's, nothing tested in between.
    ASSERT_TRUE(WaitUntil([&] { return host.StatusLog().size() == texts + 2; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    system.clean.Hold(false);
    WaitForIdle();
    EXPECT_TRUE(run.Engine().JunkPatterns().empty());
    host.checks[static_cast<int>(CleanOption::TempFiles)] = 0;
    run.OnStart();
    WaitForIdle();
    EXPECT_EQ(host.Status(), Summary(0, "0KB"));

    // A clean worker that ends before its TempFiles step does not keep the walk waiting.
    system.clean.failsFirstStep = true;
    run.OnScanNow();
    WaitForIdle();
    EXPECT_EQ(host.Status(), Summary(0, "0KB"));

    // A clean worker that first runs after the next start decides its own run's patterns, not the
    // next run's: that walk still waits for its own worker.
    system.clean.failsFirstStep = false;
    host.checks[static_cast<int>(CleanOption::TempFiles)] = 1;
    system.threads.Hold(RunWorker::Clean, true);
    int yielded = folders.Yielded();
    run.OnStart();
    ASSERT_TRUE(WaitUntil([&] { return folders.Yielded() == yielded + 1; }));
    const std::size_t stopTexts = host.StatusLog().size();
    run.OnStop();
    ASSERT_TRUE(WaitUntil([&] { return host.StatusLog().size() == stopTexts + 2; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    yielded = folders.Yielded();
    run.OnStart();
    ASSERT_TRUE(WaitUntil([&] { return folders.Yielded() == yielded + 1; }));
    const int cleanRuns = system.clean.Runs();
    system.threads.LetOneStart(RunWorker::Clean);
    ASSERT_TRUE(WaitUntil([&] { return system.clean.Runs() == cleanRuns + 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(host.StatusLog().size(), stopTexts + 2) << "a name was tested on the stale worker's patterns";
    system.threads.LetOneStart(RunWorker::Clean);
    WaitForIdle();
    EXPECT_EQ(host.Lines().size(), 3u);
}

TEST_F(ScanRunTest, ScanRunControlsWhileRunningAndPaused) {
    folders.Add(kRootPattern, JunkFiles(10));
    folders.Allow(2);
    run.OnScanNow();
    ASSERT_TRUE(WaitUntil([this] { return folders.Yielded() == 2; }));

    EXPECT_FALSE(host.Control(RunControl::ScanNow).visible);
    EXPECT_FALSE(host.Control(RunControl::Start).enabled);
    EXPECT_TRUE(host.Control(RunControl::Stop).enabled);
    EXPECT_TRUE(host.Control(RunControl::Pause).enabled);
    EXPECT_EQ(host.Control(RunControl::Pause).text, "暂停");
    EXPECT_FALSE(host.Control(RunControl::DirTree).enabled);
    EXPECT_TRUE(host.Control(RunControl::Progress).visible);
    EXPECT_TRUE(host.Control(RunControl::ResultList).visible);
    EXPECT_TRUE(run.IsAnimating());

    run.OnPause();
    EXPECT_TRUE(run.IsPaused());
    EXPECT_EQ(host.Control(RunControl::Pause).text, "继续");
    EXPECT_FALSE(host.Control(RunControl::Start).enabled);
    run.OnPause();
    EXPECT_FALSE(run.IsPaused());
    EXPECT_EQ(host.Control(RunControl::Pause).text, "暂停");
    EXPECT_FALSE(host.Control(RunControl::Start).enabled);

    folders.AllowAll();
    WaitForIdle();
    EXPECT_EQ(host.Lines().size(), 10u);
}

TEST_F(ScanRunTest, ScanRunWorkersStartInEachCommandsOrder) {
    folders.Add(kRootPattern, {});
    run.OnScanNow();
    WaitForIdle();
    EXPECT_EQ(system.threads.Started(),
              (std::vector<RunWorker>{RunWorker::Clean, RunWorker::Scan, RunWorker::Animation}));
    // OnScanNow keeps the range it found.
    EXPECT_EQ(host.Read(host.progressRange), 0u);

    run.OnStart();
    WaitForIdle();
    EXPECT_EQ(system.threads.Started(),
              (std::vector<RunWorker>{RunWorker::Clean, RunWorker::Scan, RunWorker::Animation,
                                      RunWorker::Scan, RunWorker::Animation, RunWorker::Clean}));
    EXPECT_EQ(host.Read(host.progressRange), 10u);
}

TEST_F(ScanRunTest, ScanRunRefusedWithNoOptionChecked) {
    host.checks.assign(7, 0);
    run.OnScanNow();
    EXPECT_EQ(host.Status(), "请选择清理选项！");
    EXPECT_TRUE(host.Control(RunControl::ScanNow).visible);

    host.ShowControl(RunControl::ResultList, RunShow::Show);
    run.OnStart();
    EXPECT_EQ(host.Status(), "请选择清理选项！");
    EXPECT_TRUE(host.Control(RunControl::ScanNow).visible);
    EXPECT_FALSE(host.Control(RunControl::ResultList).visible);

    EXPECT_TRUE(system.threads.Started().empty());
    EXPECT_FALSE(run.IsScanning());
    EXPECT_TRUE(host.Control(RunControl::Start).enabled);
    // One checked option is enough.
    host.checks[6] = 1;
    EXPECT_TRUE(run.HasCheckedOption());
}

TEST_F(ScanRunTest, ScanRunRefusedWhileScanningAndUntilTheStoppedThreadReturns) {
    folders.Add(kRootPattern, JunkFiles(5));
    folders.Allow(1);
    run.OnScanNow();
    ASSERT_TRUE(WaitUntil([this] { return folders.Yielded() == 1; }));

    run.OnStart();
    EXPECT_EQ(host.Status(), "请选择清理选项！");
    EXPECT_EQ(system.threads.Started().size(), 3u);

    // Stopped, but the walk is still inside its listing: its closing steps are yet to come.
    run.OnStop();
    EXPECT_FALSE(run.IsScanning());
    EXPECT_TRUE(host.Control(RunControl::Start).enabled);
    run.OnScanNow();
    EXPECT_EQ(host.Status(), "请选择清理选项！");
    run.OnStart();
    EXPECT_EQ(host.Status(), "请选择清理选项！");
    EXPECT_EQ(system.threads.Started().size(), 3u);

    folders.AllowAll();
    WaitForIdle();
    run.OnScanNow();
    EXPECT_EQ(system.threads.Started().size(), 6u);
    WaitForIdle();

    // A tree click once the stop enabled the tree, while the stopped run's scan thread has yet to
    // first run: that thread walks its own run's folder, not the one picked after it.
    system.threads.Hold(RunWorker::Scan, true);
    run.OnScanNow();
    run.OnStop();
    run.SetScanFolder("C:\\Other");
    const std::size_t opened = folders.Opened().size();
    system.threads.LetOneStart(RunWorker::Scan);
    WaitForIdle();
    const std::vector<std::string> walked = folders.Opened();
    ASSERT_EQ(walked.size(), opened + 1);
    EXPECT_EQ(walked.back(), kRootPattern);
}

TEST_F(ScanRunTest, ScanRunStopShowsTwoSummariesInOrder) {
    folders.Add(kRootPattern, JunkFiles(6));
    folders.Allow(3);
    run.OnScanNow();
    ASSERT_TRUE(WaitUntil([this] { return run.Engine().JunkCount() == 3; }));

    run.OnStop();
    std::vector<std::string> log = host.StatusLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), Summary(3, "3KB"));
    EXPECT_FALSE(run.IsAnimating());
    const std::size_t afterStop = log.size();

    folders.AllowAll();
    WaitForIdle();
    log = host.StatusLog();
    ASSERT_EQ(log.size(), afterStop + 1);
    EXPECT_EQ(log.back(), Summary(3, "3KB"));
    // No file after the stop was counted; the counters are reset only after the second summary.
    EXPECT_EQ(host.Lines().size(), 3u);
    EXPECT_EQ(run.Engine().JunkCount(), 0u);
    EXPECT_TRUE(host.Control(RunControl::Start).enabled);
    EXPECT_EQ(host.Read(host.progressPos), 10u);
}

TEST_F(ScanRunTest, ScanRunPauseHoldsWalkAndAnimationThenStopReleasesBoth) {
    folders.Add(kRootPattern, JunkFiles(8));
    folders.Allow(2);
    run.OnScanNow();
    ASSERT_TRUE(WaitUntil([this] { return folders.Yielded() == 2 && host.FrameCount() >= 6; }));

    run.OnPause();
    folders.AllowAll();
    // The walk takes its next entry and then waits at the gate before looking at it.
    ASSERT_TRUE(WaitUntil([this] { return folders.Yielded() == 3; }));
    const std::size_t frames = host.FrameCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(folders.Yielded(), 3);
    EXPECT_LE(host.FrameCount(), frames + 1);
    EXPECT_LE(run.Engine().ScannedKB(), 2u);

    run.OnStop();
    WaitForIdle();
    EXPECT_FALSE(run.IsPaused());
    EXPECT_EQ(host.Control(RunControl::Pause).text, "暂停");
    EXPECT_FALSE(host.Control(RunControl::Pause).enabled);
    EXPECT_EQ(folders.Yielded(), 3);

    // The next press of the pause button during a later run pauses it at once.
    folders.Allow(4);
    run.OnScanNow();
    ASSERT_TRUE(WaitUntil([this] { return folders.Yielded() == 4; }));
    run.OnPause();
    EXPECT_TRUE(run.IsPaused());
    EXPECT_EQ(host.Control(RunControl::Pause).text, "继续");
    run.OnStop();
    folders.AllowAll();
    WaitForIdle();
}

TEST_F(ScanRunTest, ScanRunPauseAfterTheWalkEndedChangesNothing) {
    folders.Add(kRootPattern, {});
    run.OnScanNow();
    WaitForIdle();
    run.OnPause();
    EXPECT_FALSE(run.IsPaused());
    EXPECT_EQ(host.Control(RunControl::Pause).text, "暂停");

    // A new run is never held by a pause that came too late for the last one.
    folders.Add(kRootPattern, JunkFiles(3));
    run.OnScanNow();
    WaitForIdle();
    EXPECT_EQ(host.Lines().size(), 3u);
}

TEST_F(ScanRunTest, ScanRunStopAfterTheWalkEndedKeepsItsSummary) {
    folders.Add(kRootPattern, JunkFiles(2));
    folders.Allow(1);
    run.OnScanNow();
    ASSERT_TRUE(WaitUntil([this] { return run.Engine().JunkCount() == 1; }));
    // A second stop queued behind the first, arriving before and after the thread's summary.
    run.OnStop();
    run.OnStop();
    folders.AllowAll();
    WaitForIdle();
    const std::size_t statusTexts = host.StatusLog().size();
    run.OnStop();
    EXPECT_EQ(host.StatusLog().size(), statusTexts);
    EXPECT_EQ(host.Status(), Summary(1, "1KB"));
    EXPECT_TRUE(host.Control(RunControl::Start).enabled);
    EXPECT_FALSE(host.Control(RunControl::Stop).enabled);
}

TEST_F(ScanRunTest, ScanRunHalfStartedRunIsUndone) {
    // The event, or the first, second or third worker in creation order, cannot be created.
    for (int failAt = -1; failAt < 3; ++failAt) {
        for (bool scanNow : {true, false}) {
            SCOPED_TRACE(std::to_string(failAt) + (scanNow ? " scan now" : " start"));
            folders.Add(kRootPattern, JunkFiles(2));
            system.scanEvent.fails = failAt < 0;
            system.threads.failAt =
                failAt < 0 ? -1 : static_cast<int>(system.threads.Started().size()) + failAt;
            const int cleanRuns = system.clean.Runs();
            const std::size_t opened = folders.Opened().size();
            scanNow ? run.OnScanNow() : run.OnStart();
            WaitForIdle();

            EXPECT_EQ(host.Status(), ScanRun::kStartFailedText);
            EXPECT_FALSE(run.IsScanning());
            EXPECT_FALSE(run.IsAnimating());
            EXPECT_TRUE(host.Control(RunControl::ScanNow).visible);
            EXPECT_FALSE(host.Control(RunControl::ResultList).visible);
            EXPECT_TRUE(host.Control(RunControl::Start).enabled);
            EXPECT_FALSE(host.Control(RunControl::Stop).enabled);
            EXPECT_FALSE(host.Control(RunControl::Pause).enabled);
            EXPECT_TRUE(host.Control(RunControl::DirTree).enabled);
            // The workers that were created did nothing.
            EXPECT_EQ(system.clean.Runs(), cleanRuns);
            EXPECT_EQ(folders.Opened().size(), opened);
            EXPECT_TRUE(host.Lines().empty());
        }
    }
    // And the next start runs whole, even when a clean worker of a failed start first runs after
    // it: that worker still does nothing.
    system.threads.Hold(RunWorker::Clean, true);
    system.threads.failAt = static_cast<int>(system.threads.Started().size()) + 1;
    run.OnScanNow();
    system.scanEvent.fails = false;
    system.threads.failAt = -1;
    const int cleanRuns = system.clean.Runs();
    run.OnScanNow();
    system.threads.LetOneStart(RunWorker::Clean);
    system.threads.LetOneStart(RunWorker::Clean);
    WaitForIdle();
    EXPECT_EQ(host.Lines().size(), 2u);
    EXPECT_EQ(system.clean.Runs(), cleanRuns + 1);
}

TEST_F(ScanRunTest, ScanRunEmptyScanFolderWalksNothing) {
    run.SetScanFolder("");
    run.OnScanNow();
    WaitForIdle();
    EXPECT_TRUE(folders.Opened().empty());
    EXPECT_EQ(host.Status(), Summary(0, "0KB"));
}

TEST(ScanRunCopies, ScanRunSecondCopyWaitsForTheFirstCopysScan) {
    auto names = std::make_shared<FakeEventNames>();
    SteppedFolders foldersA, foldersB;
    NoDiskSpace disk;
    FakeRunHost hostA, hostB;
    FakeRunSystem systemA(names), systemB(names);
    ScanRun runA(systemA.Services(foldersA, disk), hostA, IsCp936LeadByte);
    ScanRun runB(systemB.Services(foldersB, disk), hostB, IsCp936LeadByte);
    runA.SetScanFolder(kRoot);
    runB.SetScanFolder(kRoot);
    foldersA.Add(kRootPattern, JunkFiles(3));
    foldersB.Add(kRootPattern, JunkFiles(2));

    foldersA.Allow(1);
    runA.OnScanNow();
    ASSERT_TRUE(WaitUntil([&] { return foldersA.Yielded() == 1; }));
    runB.OnScanNow();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(foldersB.Opened().empty());
    EXPECT_FALSE(systemB.scanEvent.WalkPassed());

    foldersA.AllowAll();
    ASSERT_TRUE(WaitUntil([&] { return !runA.HasLiveWorker() && !runB.HasLiveWorker(); }));
    EXPECT_EQ(hostA.Lines().size(), 3u);
    EXPECT_EQ(hostB.Lines().size(), 2u);
    systemA.threads.Join();
    systemB.threads.Join();
}

}  // namespace
