#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/ScanEngine.h"
#include "engine/ScanRunHost.h"
#include "engine/WorkerLaunch.h"
#include "engine/WorkerStart.h"

// One pass of the engine from a start command to the end of its scan thread: the start, pause
// and stop commands, the three workers' procedures, the end of the running state and the
// summary. The main dialog owns one and gives it its view of the window (the host); the
// decisions and texts live here.
class ScanRun : public ScanEngine {
public:
    ScanRun(FolderEnumerator& enumerator, DiskSpaceQuery& diskSpace, ScanRunHost& host,
            LeadBytePredicate isLeadByte);

    static constexpr const char* kRefusedText = "请选择清理选项！";
    static constexpr const char* kPauseText = "暂停";
    static constexpr const char* kContinueText = "继续";
    // Shown when the system could not give a start its event or one of its threads.
    static constexpr const char* kStartFailedText = "扫描未能启动，请稍后再试。";

    bool HasCheckedOption();

    // The two start commands. They refuse while a scan runs, while the scan thread of a stopped
    // run has not yet returned, and when no option is checked.
    void OnScanNow();
    void OnStart();
    void OnPause();
    void OnStop();

    // Ends the running state; called by the scan thread at the end of its walk and by OnStop.
    void FinishScan();
    // Writes the summary sentence of the junk found so far into the status line.
    void ShowScanSummary();

    bool IsScanning() const { return m_bScanning.load(); }
    bool IsPaused() const { return m_bPaused.load(); }
    // True while the busy animation goes on cycling.
    bool IsAnimating() const { return m_bAnimating.load(); }
    // The folder the next walk scans; a walk already started keeps its own.
    void SetScanFolder(const std::string& folder) { m_strScanPath = folder; }
    const std::string& ScanPath() const { return m_strScanPath; }
    // The progress bar's basis at start-up: the used space of the scan folder's drive (nothing
    // without a folder); folder sizes are added as they are measured. Returns the bar's top, one
    // step per 1024 KB.
    uint32_t MeasureUsedSpace();
    // Adds a measured folder's size to the basis (the same folder chosen twice counts twice);
    // returns the bar's top.
    uint32_t AddToProgressBasis(uint32_t kb);

    // The bodies of the three thread procedures; each returns the thread's exit code, 0, and
    // nothing thrown leaves them. Each is given its own copy of what the run that launched it was
    // started with.
    uint32_t ScanThreadMain(const WorkerStart& start);
    uint32_t CleanThreadMain(const WorkerStart& start);
    uint32_t AnimationThreadMain(const WorkerStart& start);

    // True while any worker thread of any run has yet to return; once false, no worker will
    // touch this object again.
    bool HasLiveWorker() const { return m_nLiveWorkers.load() > 0; }

private:
    bool IsRunRefused() const;
    // Creates the event and the workers in the given order; on any failure no worker does
    // anything and the window goes back to its idle look.
    bool LaunchWorkers(const RunWorker (&order)[3]);
    bool StartCounted(RunWorker worker, const WorkerStart& start);
    void AbandonStart();
    void ShowRunningControls();
    void WorkerEnded(RunWorker worker);

    ScanRunHost& m_host;
    WorkerLaunch m_launch;
    std::atomic<int> m_nLiveWorkers{0};
    std::atomic<bool> m_bScanThreadAlive{false};

    std::atomic<bool> m_bScanning{false};
    std::atomic<bool> m_bPaused{false};
    std::atomic<bool> m_bAnimating{false};
    // The progress bar's basis: the drive's used space plus the measured folders.
    std::atomic<uint32_t> m_nUsedKB{0};
    std::string m_strScanPath;
};
