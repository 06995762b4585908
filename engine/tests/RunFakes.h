#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine/CleanOption.h"
#include "engine/CleanServices.h"
#include "engine/DiskSpaceQuery.h"
#include "engine/FolderEnumerator.h"
#include "engine/RunServices.h"
#include "engine/ScanEvent.h"
#include "engine/ScanRunHost.h"
#include "engine/WorkerThreads.h"

// Polls until pred holds; false after ten seconds.
inline bool WaitUntil(const std::function<bool()>& pred) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Folder listings in memory whose entries are handed out only as far as the test allows, so a
// walk can be caught at a known entry. Safe to use from the scan thread and the test thread.
class SteppedFolders : public FolderEnumerator {
public:
    void Add(const std::string& searchPattern, std::vector<FolderEntry> entries) {
        std::lock_guard lock(m_mutex);
        m_folders[searchPattern] = std::move(entries);
    }
    // Lets the walk take entries until n have been handed out in all.
    void Allow(int n) {
        {
            std::lock_guard lock(m_mutex);
            m_allowed = n;
        }
        m_changed.notify_all();
    }
    void AllowAll() { Allow(1 << 30); }
    int Yielded() const {
        std::lock_guard lock(m_mutex);
        return m_yielded;
    }
    std::vector<std::string> Opened() const {
        std::lock_guard lock(m_mutex);
        return m_opened;
    }

    std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) override {
        std::lock_guard lock(m_mutex);
        m_opened.push_back(searchPattern);
        auto found = m_folders.find(searchPattern);
        if (found == m_folders.end()) return nullptr;
        return std::make_unique<Listing>(*this, found->second);
    }

private:
    class Listing : public FolderEnumeration {
    public:
        Listing(SteppedFolders& owner, std::vector<FolderEntry> entries)
            : m_owner(owner), m_entries(std::move(entries)) {}
        bool Next(FolderEntry& entry) override {
            if (m_next == m_entries.size()) return false;
            std::unique_lock lock(m_owner.m_mutex);
            m_owner.m_changed.wait(lock, [this] { return m_owner.m_yielded < m_owner.m_allowed; });
            ++m_owner.m_yielded;
            entry = m_entries[m_next++];
            return true;
        }

    private:
        SteppedFolders& m_owner;
        std::vector<FolderEntry> m_entries;
        std::size_t m_next = 0;
    };

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, std::vector<FolderEntry>> m_folders;
    std::vector<std::string> m_opened;
    int m_allowed = 1 << 30;
    int m_yielded = 0;
};

class NoDiskSpace : public DiskSpaceQuery {
public:
    bool QueryDiskSpace(const std::string&, DiskSpace&) override { return false; }
};

// An auto-reset event that several hosts (several running copies) can share by name.
class FakeEvent {
public:
    explicit FakeEvent(bool signalled) : m_bSignalled(signalled) {}
    void Set() {
        {
            std::lock_guard lock(m_mutex);
            m_bSignalled = true;
        }
        m_changed.notify_one();
    }
    void Wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_bSignalled; });
        m_bSignalled = false;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bSignalled;
};

// The system's table of named events: creating opens the live one of that name, whatever its
// state, or makes a new one, signalled.
class FakeEventNames {
public:
    std::shared_ptr<FakeEvent> Create() {
        std::lock_guard lock(m_mutex);
        if (auto live = m_live.lock()) return live;
        auto created = std::make_shared<FakeEvent>(true);
        m_live = created;
        return created;
    }

private:
    std::mutex m_mutex;
    std::weak_ptr<FakeEvent> m_live;
};

// The scan event of one running copy, opened by name in the system's table the copies share.
class FakeScanEvent : public ScanEvent {
public:
    explicit FakeScanEvent(std::shared_ptr<FakeEventNames> names) : m_names(std::move(names)) {}

    bool Create() override {
        std::lock_guard lock(m_mutex);
        m_event.reset();
        if (fails) return false;
        m_event = m_names->Create();
        return true;
    }
    void Wait() override {
        Current()->Wait();
        std::lock_guard lock(m_mutex);
        m_bWalkPassed = true;
    }
    void Signal() override {
        if (std::shared_ptr<FakeEvent> event = Current()) event->Set();
    }
    bool WalkPassed() {
        std::lock_guard lock(m_mutex);
        return m_bWalkPassed;
    }

    bool fails = false;  // set before a start

private:
    std::shared_ptr<FakeEvent> Current() {
        std::lock_guard lock(m_mutex);
        return m_event;
    }

    std::mutex m_mutex;
    std::shared_ptr<FakeEventNames> m_names;
    std::shared_ptr<FakeEvent> m_event;
    bool m_bWalkPassed = false;
};

// Workers on std::thread. The system may refuse one, and a test may hold each kind of worker
// before its first step, as threads the system schedules late.
class FakeWorkerThreads : public WorkerThreads {
public:
    ~FakeWorkerThreads() override { Join(); }

    bool Start(RunWorker worker, std::function<void()> body) override {
        std::lock_guard lock(m_mutex);
        if (static_cast<int>(m_started.size()) == failAt) return false;
        m_started.push_back(worker);
        const int kind = static_cast<int>(worker);
        m_threads.emplace_back([this, body = std::move(body), kind, n = m_nStarts[kind]++] {
            {
                std::unique_lock held(m_mutex);
                m_changed.wait(held, [&] { return !m_bHeld[kind] || n < m_nAllowed[kind]; });
            }
            body();
        });
        return true;
    }
    void Join() {
        std::vector<std::thread> threads;
        {
            std::lock_guard lock(m_mutex);
            threads.swap(m_threads);
        }
        for (std::thread& thread : threads) thread.join();
    }
    // While held, each thread of that worker waits before its first step until let go, oldest first.
    void Hold(RunWorker worker, bool held) {
        {
            std::lock_guard lock(m_mutex);
            const int kind = static_cast<int>(worker);
            m_bHeld[kind] = held;
            m_nAllowed[kind] = m_nStarts[kind];
        }
        m_changed.notify_all();
    }
    void LetOneStart(RunWorker worker) {
        {
            std::lock_guard lock(m_mutex);
            ++m_nAllowed[static_cast<int>(worker)];
        }
        m_changed.notify_all();
    }
    std::vector<RunWorker> Started() {
        std::lock_guard lock(m_mutex);
        return m_started;
    }

    int failAt = -1;  // index, in creation order over all starts, of the worker the system refuses

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::thread> m_threads;
    std::vector<RunWorker> m_started;
    // By RunWorker.
    bool m_bHeld[3] = {};
    int m_nStarts[3] = {};
    int m_nAllowed[3] = {};
};

// The clean options' system. Its first step, the Recycle Bin, is held while the test holds it,
// so a clean worker can be kept before its TempFiles step; it can also fail there, ending the
// worker before that step. Its last step counts the workers that went all the way.
class FakeCleanSystem {
public:
    std::unique_ptr<CleanServices> Make() { return std::make_unique<Services>(*this); }

    void Hold(bool held) {
        {
            std::lock_guard lock(m_mutex);
            m_bHeld = held;
        }
        m_changed.notify_all();
    }
    int Runs() {
        std::lock_guard lock(m_mutex);
        return m_nRuns;
    }

    bool failsFirstStep = false;  // set before a start

private:
    class Services : public CleanServices {
    public:
        explicit Services(FakeCleanSystem& system) : m_system(system) {}
        void EmptyRecycleBin() override {
            std::unique_lock lock(m_system.m_mutex);
            m_system.m_changed.wait(lock, [this] { return !m_system.m_bHeld; });
            if (m_system.failsFirstStep) throw std::runtime_error("the Recycle Bin cannot be emptied");
        }
        void ClearClipboard() override {}
        bool FirstCacheEntry(std::string&) override { return false; }
        bool NextCacheEntry(std::string&) override { return false; }
        void DeleteCacheEntry(const std::string&) override {}
        void CloseCacheEnumeration() override {}
        void ClearUrlHistory() override {}
        bool GetCookiesFolder(std::string&) override { return false; }
        bool DeleteCookiesTopLevel(const std::string&) override { return true; }
        void DeleteTypedUrls() override {
            std::lock_guard lock(m_system.m_mutex);
            ++m_system.m_nRuns;
        }

    private:
        FakeCleanSystem& m_system;
    };

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bHeld = false;
    int m_nRuns = 0;
};

// The system a scan run is given: its event, its threads and its clean services.
struct FakeRunSystem {
    explicit FakeRunSystem(std::shared_ptr<FakeEventNames> names = std::make_shared<FakeEventNames>())
        : scanEvent(std::move(names)) {}
    RunServices Services(FolderEnumerator& folders, DiskSpaceQuery& diskSpace) {
        return {folders, diskSpace, scanEvent, threads, [this] { return clean.Make(); }};
    }

    FakeScanEvent scanEvent;
    FakeWorkerThreads threads;
    FakeCleanSystem clean;
};

struct ControlState {
    bool visible = false;
    bool enabled = true;
    std::string text;
};

// The window of a scan run: controls as plain state. The clean worker's report lines are kept
// apart from the walk's.
class FakeRunHost : public ScanRunHost {
public:
    FakeRunHost() {
        m_controls[RunControl::ScanNow] = {true, true, "立即扫描"};
        m_controls[RunControl::Start] = {true, true, "开始"};
        m_controls[RunControl::Stop] = {true, false, "停止"};
        m_controls[RunControl::Pause] = {true, false, "暂停"};
        m_controls[RunControl::DirTree] = {true, true, ""};
        m_controls[RunControl::Progress] = {false, true, ""};
        m_controls[RunControl::ResultList] = {false, true, ""};
    }

    // --- the walk's display
    void SetProgressPos(uint32_t position) override {
        std::lock_guard lock(m_mutex);
        progressPos = position;
    }
    void SetStatusText(const std::string& text) override {
        std::lock_guard lock(m_mutex);
        statusLog.push_back(text);
    }
    void AddResultLine(const std::string& line) override {
        std::lock_guard lock(m_mutex);
        for (int i = 0; i < kCleanOptionCount; ++i) {
            const char* report = CleanOptionReportLine(static_cast<CleanOption>(i));
            if (report != nullptr && line == report) return;
        }
        lines.push_back(line);
    }

    // --- the run's operations
    void ShowControl(RunControl control, RunShow how) override {
        std::lock_guard lock(m_mutex);
        m_controls[control].visible = how != RunShow::Hide;
    }
    void EnableControl(RunControl control, bool enable) override {
        std::lock_guard lock(m_mutex);
        m_controls[control].enabled = enable;
    }
    void SetControlText(RunControl control, const std::string& text) override {
        std::lock_guard lock(m_mutex);
        m_controls[control].text = text;
    }
    void SetProgressRange(uint32_t high) override {
        std::lock_guard lock(m_mutex);
        progressRange = high;
    }
    void ResetResultList() override {
        std::lock_guard lock(m_mutex);
        lines.clear();
    }
    int GetOptionCount() override {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(checks.size());
    }
    int GetOptionCheck(int index) override {
        std::lock_guard lock(m_mutex);
        return checks[static_cast<std::size_t>(index)];
    }
    // Whole cycles while the run animates, held at the run's gate between frames, as the
    // dialog's animation does.
    void RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate) override {
        do {
            for (int frame = 1; frame <= 6; ++frame) {
                gate.Pass();
                DrawBusyFrame(frame);
            }
        } while (animating.load());
    }
    void DrawBusyFrame(int nFrame) {
        {
            std::lock_guard lock(m_mutex);
            frames.push_back(nFrame);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }

    ControlState Control(RunControl control) {
        std::lock_guard lock(m_mutex);
        return m_controls[control];
    }
    std::string Status() {
        std::lock_guard lock(m_mutex);
        return statusLog.empty() ? std::string() : statusLog.back();
    }
    std::vector<std::string> StatusLog() {
        std::lock_guard lock(m_mutex);
        return statusLog;
    }
    std::vector<std::string> Lines() {
        std::lock_guard lock(m_mutex);
        return lines;
    }
    std::size_t FrameCount() {
        std::lock_guard lock(m_mutex);
        return frames.size();
    }
    template <typename T>
    T Read(const T& field) {
        std::lock_guard lock(m_mutex);
        return field;
    }

    // Settings a test makes before a start.
    std::vector<int> checks = std::vector<int>(kCleanOptionCount, 1);

    // What the run did.
    uint32_t progressPos = 0;
    uint32_t progressRange = 0;
    std::vector<std::string> statusLog;
    std::vector<std::string> lines;
    std::vector<int> frames;

private:
    std::mutex m_mutex;
    std::map<RunControl, ControlState> m_controls;
};
