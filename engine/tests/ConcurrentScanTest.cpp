#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/Cp936LeadByte.h"
#include "engine/PauseGate.h"
#include "engine/ScanEngine.h"
#include "engine/tests/FakeFolders.h"

namespace {

using F = FakeFolders;
// <chrono> itself does not compile with GBK narrow literals (its "\u00b5s"); <thread> has enough.
const auto kSettle = std::chrono::milliseconds(20);

// Tells the test thread how far the walk has come, without sharing the recording vectors.
class CountingWindow : public ScanWindow {
public:
    void SetProgressPos(uint32_t) override {}
    void SetStatusText(const std::string&) override {}
    void AddResultLine(const std::string&) override {
        if (++lines == holdAtLine && engine != nullptr)
            engine->HoldWalk();  // as a pause pressed while the walk waits for this request
    }
    ScanEngine* engine = nullptr;
    int holdAtLine = -1;
    void SignalScanEvent() override { ++signals; }
    std::atomic<int> lines{0};
    std::atomic<int> signals{0};
};

// Counts the entries the walk has taken, and can hold the test until a given one is reached.
class CountedFolders : public FolderEnumerator {
public:
    explicit CountedFolders(int files) : m_files(files) {}
    std::unique_ptr<FolderEnumeration> Open(const std::string&) override {
        return std::make_unique<Listing>(*this);
    }
    void WaitForEntries(int n) {
        std::unique_lock lock(m_mutex);
        m_reached.wait(lock, [&] { return taken >= n; });
    }
    std::atomic<int> taken{0};

private:
    class Listing : public FolderEnumeration {
    public:
        explicit Listing(CountedFolders& owner) : m_owner(owner) {}
        bool Next(FolderEntry& entry) override {
            if (m_next == m_owner.m_files) return false;
            std::string name = std::to_string(m_next++);
            name += ".tmp";
            entry = F::File(name, 1024);
            {
                std::lock_guard lock(m_owner.m_mutex);
                ++m_owner.taken;
            }
            m_owner.m_reached.notify_all();
            return true;
        }

    private:
        CountedFolders& m_owner;
        int m_next = 0;
    };
    int m_files;
    std::mutex m_mutex;
    std::condition_variable m_reached;
};

TEST(PauseGateThread, HoldKeepsAWorkerUntilRelease) {
    PauseGate gate;
    std::atomic<bool> passed{false};
    gate.Hold();
    std::thread worker([&] {
        gate.Pass();
        passed = true;
    });
    std::this_thread::sleep_for(kSettle);
    EXPECT_FALSE(passed);
    EXPECT_TRUE(gate.IsHeld());
    gate.Release();
    worker.join();
    EXPECT_TRUE(passed);
}

TEST(PauseGateThread, StopReleasesAndLaterHoldsDoNothingUntilReset) {
    PauseGate gate;
    gate.Hold();
    std::thread worker([&] { gate.Pass(); });
    gate.Stop();
    worker.join();
    gate.Hold();
    EXPECT_FALSE(gate.IsHeld());
    gate.Pass();  // returns at once
    gate.Reset();
    gate.Hold();
    EXPECT_TRUE(gate.IsHeld());
}

TEST(ScanFolderThread, PausedWalkWaitsBetweenEntriesAndGoesOnWhenReleased) {
    CountedFolders folders(50);
    FixedDiskSpace disk;
    CountingWindow window;
    ScanEngine engine(folders, disk, window, IsCp936LeadByte);
    engine.AddJunkPatterns();
    engine.HoldWalk();
    std::thread walk([&] { engine.ScanFolder("C:\\r"); });
    folders.WaitForEntries(1);
    std::this_thread::sleep_for(kSettle);
    // Held at the gate after taking the first entry, before handling it.
    EXPECT_EQ(folders.taken, 1);
    EXPECT_EQ(window.lines, 0);
    engine.ReleaseWalk();
    walk.join();
    EXPECT_EQ(window.lines, 50);
    EXPECT_EQ(engine.JunkCount(), 50u);
    EXPECT_EQ(window.signals, 0);
}

TEST(ScanFolderThread, StopReleasesAPausedWalkWhichHandlesNothingMore) {
    CountedFolders folders(50);
    FixedDiskSpace disk;
    CountingWindow window;
    ScanEngine engine(folders, disk, window, IsCp936LeadByte);
    engine.AddJunkPatterns();
    window.engine = &engine;
    window.holdAtLine = 10;
    std::thread walk([&] { engine.ScanFolder("C:\\r"); });
    folders.WaitForEntries(11);
    std::this_thread::sleep_for(kSettle);
    EXPECT_EQ(folders.taken, 11);
    EXPECT_EQ(window.lines, 10);
    engine.RequestStop();
    walk.join();
    EXPECT_EQ(window.lines, 10);
    EXPECT_EQ(engine.ScannedKB(), 10u);
    EXPECT_EQ(window.signals, 1);
    // The next run's walk is not held by the old pause.
    engine.ClearStopRequest();
    engine.ResetJunkTotals();
    window.holdAtLine = -1;
    engine.ScanFolder("C:\\r");
    EXPECT_EQ(engine.JunkCount(), 50u);
}

TEST(JunkPatternsConcurrent, AppendedAndEmptiedWhileTheWalkMatches) {
    CountedFolders folders(2000);
    FixedDiskSpace disk;
    CountingWindow window;
    ScanEngine engine(folders, disk, window, IsCp936LeadByte);
    std::thread clean([&] {
        for (int i = 0; i < 200; ++i) {
            engine.AddJunkPatterns();
            if (i % 3 == 0) engine.EmptyJunkPatterns();
        }
    });
    std::thread reader([&] {
        for (int i = 0; i < 200; ++i) EXPECT_EQ(engine.JunkPatterns().size() % 6, 0u);
    });
    engine.ScanFolder("C:\\r");
    clean.join();
    reader.join();
    EXPECT_EQ(engine.ScannedKB(), 2000u);
    EXPECT_LE(engine.JunkCount(), 2000u);
    EXPECT_EQ(window.lines, static_cast<int>(engine.JunkCount()));
    // The last call appended after the last emptying: the next file matches.
    EXPECT_TRUE(engine.IsJunkFile("C:\\r\\x.tmp"));
}

TEST(ScanCountersConcurrent, ReadWhileTheWalkCounts) {
    CountedFolders folders(3000);
    FixedDiskSpace disk;
    CountingWindow window;
    ScanEngine engine(folders, disk, window, IsCp936LeadByte);
    engine.AddJunkPatterns();
    std::thread walk([&] { engine.ScanFolder("C:\\r"); });
    uint32_t last = 0;
    while (folders.taken < 3000) {
        const uint32_t now = engine.JunkKB();
        EXPECT_GE(now, last);
        last = now;
    }
    walk.join();
    EXPECT_EQ(engine.JunkKB(), 3000u);
}

}  // namespace
