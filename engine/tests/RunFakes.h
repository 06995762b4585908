#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/DiskSpaceQuery.h"
#include "engine/FolderEnumerator.h"
#include "engine/ScanRun.h"
#include "engine/ScanRunHost.h"

// Polls until pred holds; false after ten seconds.
inline bool WaitUntil(const std::function<bool()>& pred)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Folder listings in memory whose entries are handed out only as far as the test allows, so a
// walk can be caught at a known entry. Safe to use from the scan thread and the test thread.
class SteppedFolders : public FolderEnumerator {
public:
    void Add(const std::string& searchPattern, std::vector<FolderEntry> entries)
    {
        std::lock_guard lock(m_mutex);
        m_folders[searchPattern] = std::move(entries);
    }
    // Lets the walk take entries until n have been handed out in all.
    void Allow(int n)
    {
        {
            std::lock_guard lock(m_mutex);
            m_allowed = n;
        }
        m_changed.notify_all();
    }
    void AllowAll() { Allow(1 << 30); }
    int Yielded() const
    {
        std::lock_guard lock(m_mutex);
        return m_yielded;
    }
    std::vector<std::string> Opened() const
    {
        std::lock_guard lock(m_mutex);
        return m_opened;
    }

    std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) override
    {
        std::lock_guard lock(m_mutex);
        m_opened.push_back(searchPattern);
        auto found = m_folders.find(searchPattern);
        if (found == m_folders.end())
            return nullptr;
        return std::make_unique<Listing>(*this, found->second);
    }

private:
    class Listing : public FolderEnumeration {
    public:
        Listing(SteppedFolders& owner, std::vector<FolderEntry> entries) : m_owner(owner), m_entries(std::move(entries)) {}
        bool Next(FolderEntry& entry) override
        {
            if (m_next == m_entries.size())
                return false;
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
    void Set()
    {
        {
            std::lock_guard lock(m_mutex);
            m_bSignalled = true;
        }
        m_changed.notify_one();
    }
    void Wait()
    {
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
    std::shared_ptr<FakeEvent> Create()
    {
        std::lock_guard lock(m_mutex);
        if (auto live = m_live.lock())
            return live;
        auto created = std::make_shared<FakeEvent>(true);
        m_live = created;
        return created;
    }

private:
    std::mutex m_mutex;
    std::weak_ptr<FakeEvent> m_live;
};

struct ControlState {
    bool visible = false;
    bool enabled = true;
    std::string text;
};

// The window and the system of a scan run: controls as plain state, workers on std::thread.
class FakeRunHost : public ScanRunHost {
public:
    explicit FakeRunHost(std::shared_ptr<FakeEventNames> names = std::make_shared<FakeEventNames>())
        : m_names(std::move(names))
    {
        m_controls[RunControl::ScanNow] = {true, true, "立即扫描"};
        m_controls[RunControl::Start] = {true, true, "开始"};
        m_controls[RunControl::Stop] = {true, false, "停止"};
        m_controls[RunControl::Pause] = {true, false, "暂停"};
        m_controls[RunControl::DirTree] = {true, true, ""};
        m_controls[RunControl::Progress] = {false, true, ""};
        m_controls[RunControl::ResultList] = {false, true, ""};
    }
    ~FakeRunHost() override { JoinWorkers(); }

    void JoinWorkers()
    {
        std::vector<std::thread> threads;
        {
            std::lock_guard lock(m_mutex);
            threads.swap(m_threads);
        }
        for (std::thread& thread : threads)
            thread.join();
    }

    // --- the walk's operations
    void SetProgressPos(uint32_t position) override
    {
        std::lock_guard lock(m_mutex);
        progressPos = position;
    }
    void SetStatusText(const std::string& text) override
    {
        std::lock_guard lock(m_mutex);
        statusLog.push_back(text);
    }
    void AddResultLine(const std::string& line) override
    {
        std::lock_guard lock(m_mutex);
        lines.push_back(line);
    }
    void SignalScanEvent() override
    {
        std::shared_ptr<FakeEvent> event;
        {
            std::lock_guard lock(m_mutex);
            event = m_event;
        }
        if (event)
            event->Set();
    }

    // --- the run's operations
    void ShowControl(RunControl control, RunShow how) override
    {
        std::lock_guard lock(m_mutex);
        m_controls[control].visible = how != RunShow::Hide;
    }
    void EnableControl(RunControl control, bool enable) override
    {
        std::lock_guard lock(m_mutex);
        m_controls[control].enabled = enable;
    }
    void SetControlText(RunControl control, const std::string& text) override
    {
        std::lock_guard lock(m_mutex);
        m_controls[control].text = text;
    }
    void SetProgressRange(uint32_t high) override
    {
        std::lock_guard lock(m_mutex);
        progressRange = high;
    }
    void ResetResultList() override
    {
        std::lock_guard lock(m_mutex);
        lines.clear();
    }
    int GetOptionCount() override
    {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(checks.size());
    }
    int GetOptionCheck(int index) override
    {
        std::lock_guard lock(m_mutex);
        return checks[static_cast<std::size_t>(index)];
    }
    bool CreateScanEvent() override
    {
        std::lock_guard lock(m_mutex);
        m_event.reset();
        if (eventFails)
            return false;
        m_event = m_names->Create();
        return true;
    }
    void WaitScanEvent() override
    {
        std::shared_ptr<FakeEvent> event;
        {
            std::lock_guard lock(m_mutex);
            event = m_event;
        }
        event->Wait();
        std::lock_guard lock(m_mutex);
        walkPassedEvent = true;
    }
    bool StartWorker(RunWorker worker, const WorkerStart& start) override
    {
        std::lock_guard lock(m_mutex);
        if (static_cast<int>(started.size()) == failWorkerAt)
            return false;
        started.push_back(worker);
        const int kind = static_cast<int>(worker);
        m_threads.emplace_back([this, worker, start, kind, n = m_nStarts[kind]++] {
            {
                std::unique_lock held(m_mutex);
                m_changed.wait(held, [&] { return !m_bStartsHeld[kind] || n < m_nStartsAllowed[kind]; });
            }
            switch (worker) {
            case RunWorker::Scan:
                run->ScanThreadMain(start);
                break;
            case RunWorker::Clean:
                run->CleanThreadMain(start);
                break;
            case RunWorker::Animation:
                run->AnimationThreadMain(start);
                break;
            }
        });
        return true;
    }
    // Whole cycles while the run animates, held at the run's gate between frames, as the
    // dialog's animation does.
    void RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate) override
    {
        do {
            for (int frame = 1; frame <= 6; ++frame) {
                gate.Pass();
                DrawBusyFrame(frame);
            }
        } while (animating.load());
    }
    void DrawBusyFrame(int nFrame)
    {
        {
            std::lock_guard lock(m_mutex);
            frames.push_back(nFrame);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    // Held before its TempFiles step while the test holds it.
    void RunCleanOptions(CleanHost& cleanHost) override
    {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_bCleanHeld; });
        }
        if (cleanDecides)
            cleanHost.DecideJunkPatterns(cleanAddsPatterns);
        std::lock_guard lock(m_mutex);
        ++cleanRuns;
    }
    void HoldClean(bool held)
    {
        {
            std::lock_guard lock(m_mutex);
            m_bCleanHeld = held;
        }
        m_changed.notify_all();
    }

    // While held, each thread of that worker waits before its first step until let go, oldest
    // first, as a thread the system schedules late.
    void HoldStarts(RunWorker worker, bool held)
    {
        {
            std::lock_guard lock(m_mutex);
            const int kind = static_cast<int>(worker);
            m_bStartsHeld[kind] = held;
            m_nStartsAllowed[kind] = m_nStarts[kind];
        }
        m_changed.notify_all();
    }
    void LetOneStart(RunWorker worker)
    {
        {
            std::lock_guard lock(m_mutex);
            ++m_nStartsAllowed[static_cast<int>(worker)];
        }
        m_changed.notify_all();
    }

    ControlState Control(RunControl control)
    {
        std::lock_guard lock(m_mutex);
        return m_controls[control];
    }
    std::string Status()
    {
        std::lock_guard lock(m_mutex);
        return statusLog.empty() ? std::string() : statusLog.back();
    }
    std::vector<std::string> StatusLog()
    {
        std::lock_guard lock(m_mutex);
        return statusLog;
    }
    std::vector<std::string> Lines()
    {
        std::lock_guard lock(m_mutex);
        return lines;
    }
    std::vector<RunWorker> Started()
    {
        std::lock_guard lock(m_mutex);
        return started;
    }
    std::size_t FrameCount()
    {
        std::lock_guard lock(m_mutex);
        return frames.size();
    }
    template <typename T> T Read(const T& field)
    {
        std::lock_guard lock(m_mutex);
        return field;
    }

    ScanRun* run = nullptr;
    // Settings a test makes before a start.
    std::vector<int> checks = std::vector<int>(7, 1);
    bool eventFails = false;
    int failWorkerAt = -1; // index, in creation order, of the worker the system refuses
    bool cleanAddsPatterns = true;
    bool cleanDecides = true; // false: the clean worker ends before its TempFiles step

    // What the run did.
    uint32_t progressPos = 0;
    uint32_t progressRange = 0;
    std::vector<std::string> statusLog;
    std::vector<std::string> lines;
    std::vector<RunWorker> started;
    std::vector<int> frames;
    int cleanRuns = 0;
    bool walkPassedEvent = false;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<RunControl, ControlState> m_controls;
    std::shared_ptr<FakeEventNames> m_names;
    std::shared_ptr<FakeEvent> m_event;
    std::vector<std::thread> m_threads;
    bool m_bCleanHeld = false;
    // By RunWorker.
    bool m_bStartsHeld[3] = {};
    int m_nStarts[3] = {};
    int m_nStartsAllowed[3] = {};
};
