#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/RunServices.h"
#include "engine/ScanEngine.h"
#include "engine/ScanRunHost.h"
#include "engine/ScanWindow.h"
#include "engine/WorkerLaunch.h"
#include "engine/WorkerStart.h"

// One pass of the engine from a start command to the end of its scan thread: the start, pause
// and stop commands, the three workers' procedures, the end of the running state and the
// summary. The main dialog owns one and gives it the system's services and its view of the
// window (the host); the decisions and texts live here. The run is its walk's window: the walk's
// display goes to the host, its signals to the scan event.
class ScanRun : private ScanWindow {
public:
    ScanRun(RunServices services, ScanRunHost& host, LeadBytePredicate isLeadByte);

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
    // The folder of the walk whose lines the list holds: the scan folder as the last accepted
    // start emptied the list. The delete commands act below it only.
    const std::string& ListedFolder() const { return m_strListedFolder; }
    // The progress bar's basis at start-up: the used space of the scan folder's drive (nothing
    // without a folder); folder sizes are added as they are measured. Returns the bar's top, one
    // step per 1024 KB.
    uint32_t MeasureUsedSpace();
    // Adds a measured folder's size to the basis (the same folder chosen twice counts twice);
    // returns the bar's top.
    uint32_t AddToProgressBasis(uint32_t kb);

    // The walk's matcher and totals.
    const ScanEngine& Engine() const { return m_engine; }

    // True while any worker thread of any run has yet to return; once false, no worker will
    // touch this object again.
    bool HasLiveWorker() const { return m_nLiveWorkers.load() > 0; }

private:
    // The walk's window operations.
    void SetProgressPos(uint32_t position) override { m_host.SetProgressPos(position); }
    void SetStatusText(const std::string& text) override { m_host.SetStatusText(text); }
    void AddResultLine(const std::string& line) override { m_host.AddResultLine(line); }
    void SignalScanEvent() override { m_scanEvent.Signal(); }

    // The bodies of the three workers; nothing thrown leaves them. Each is given its own copy of
    // what the run that launched it was started with.
    void ScanWorker(const WorkerStart& start);
    void CleanWorker(const WorkerStart& start);
    void AnimationWorker(const WorkerStart& start);

    bool IsRunRefused() const;
    // Creates the event and the workers in the given order; on any failure no worker does
    // anything and the window goes back to its idle look.
    bool LaunchWorkers(const RunWorker (&order)[3]);
    bool StartCounted(RunWorker worker, const WorkerStart& start);
    void AbandonStart();
    void ShowRunningControls();
    void WorkerEnded(RunWorker worker);

    ScanRunHost& m_host;
    ScanEvent& m_scanEvent;
    WorkerThreads& m_threads;
    std::function<std::unique_ptr<CleanServices>()> m_makeCleanServices;
    ScanEngine m_engine;
    WorkerLaunch m_launch;
    std::atomic<int> m_nLiveWorkers{0};
    std::atomic<bool> m_bScanThreadAlive{false};

    std::atomic<bool> m_bScanning{false};
    std::atomic<bool> m_bPaused{false};
    std::atomic<bool> m_bAnimating{false};
    // The progress bar's basis: the drive's used space plus the measured folders.
    std::atomic<uint32_t> m_nUsedKB{0};
    std::string m_strScanPath;
    std::string m_strListedFolder;
};
