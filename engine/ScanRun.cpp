#include "engine/ScanRun.h"

#include <utility>

#include "engine/CleanWorker.h"
#include "engine/CleanWorkerHost.h"
#include "engine/ScanSummary.h"
#include "engine/SizeKB.h"

ScanRun::ScanRun(RunServices services, ScanRunHost& host, LeadBytePredicate isLeadByte)
    : m_host(host),
      m_scanEvent(services.scanEvent),
      m_threads(services.threads),
      m_makeCleanServices(std::move(services.makeCleanServices)),
      m_engine(services.folders, services.diskSpace, *this, std::move(isLeadByte)) {}

bool ScanRun::HasCheckedOption() {
    int checked = 0;
    const int count = m_host.GetOptionCount();
    for (int i = 0; i < count; ++i) {
        if (m_host.GetOptionCheck(i) == 1) ++checked;
    }
    return checked > 0;
}

bool ScanRun::IsRunRefused() const {
    // A stopped run's scan thread still runs its closing steps after m_bScanning is cleared;
    // a second walk beside it would share its flags, counters and patterns.
    return m_bScanning.load() || m_bScanThreadAlive.load();
}

void ScanRun::OnScanNow() {
    if (IsRunRefused() || !HasCheckedOption()) {
        m_host.SetStatusText(kRefusedText);
        return;
    }
    m_host.ShowControl(RunControl::Progress, RunShow::ShowNormal);
    m_host.ShowControl(RunControl::ResultList, RunShow::Show);
    m_host.ShowControl(RunControl::ScanNow, RunShow::Hide);
    m_engine.ClearStopRequest();
    m_bPaused.store(false);
    m_bScanning.store(true);
    m_host.ResetResultList();
    m_strListedFolder = m_strScanPath;
    static constexpr RunWorker order[] = {RunWorker::Clean, RunWorker::Scan, RunWorker::Animation};
    if (!LaunchWorkers(order)) return;
    ShowRunningControls();
    m_bAnimating.store(true);
    m_launch.Decide(true);
}

void ScanRun::OnStart() {
    m_host.ShowControl(RunControl::ScanNow, RunShow::Hide);
    if (IsRunRefused() || !HasCheckedOption()) {
        m_host.SetStatusText(kRefusedText);
        m_host.ShowControl(RunControl::ScanNow, RunShow::Show);
        m_host.ShowControl(RunControl::ResultList, RunShow::Hide);
        return;
    }
    m_host.ShowControl(RunControl::Progress, RunShow::ShowNormal);
    m_host.ShowControl(RunControl::ResultList, RunShow::Show);
    m_engine.ClearStopRequest();
    m_bPaused.store(false);
    m_bScanning.store(true);
    m_host.SetProgressRange(m_nUsedKB.load() >> 10);
    m_host.ResetResultList();
    m_strListedFolder = m_strScanPath;
    static constexpr RunWorker order[] = {RunWorker::Scan, RunWorker::Animation, RunWorker::Clean};
    if (!LaunchWorkers(order)) return;
    ShowRunningControls();
    m_bAnimating.store(true);
    m_launch.Decide(true);
}

bool ScanRun::LaunchWorkers(const RunWorker (&order)[3]) {
    const WorkerStart start{m_engine.OpenPatternDecision(), m_strScanPath};
    m_launch.Begin(start.ticket);
    bool started = m_scanEvent.Create();
    for (RunWorker worker : order) {
        if (started) started = StartCounted(worker, start);
    }
    if (!started) AbandonStart();
    return started;
}

bool ScanRun::StartCounted(RunWorker worker, const WorkerStart& start) {
    m_nLiveWorkers.fetch_add(1);
    if (worker == RunWorker::Scan) m_bScanThreadAlive.store(true);
    const auto body = [this, worker, start] {
        switch (worker) {
            case RunWorker::Scan:
                return ScanWorker(start);
            case RunWorker::Clean:
                return CleanWorker(start);
            case RunWorker::Animation:
                return AnimationWorker(start);
        }
    };
    if (m_threads.Start(worker, body)) return true;
    if (worker == RunWorker::Scan) m_bScanThreadAlive.store(false);
    m_nLiveWorkers.fetch_sub(1);
    return false;
}

void ScanRun::AbandonStart() {
    // The workers already created return at their first step without doing anything.
    m_launch.Decide(false);
    m_bAnimating.store(false);
    m_engine.RequestStop();
    m_bScanning.store(false);
    m_host.EnableControl(RunControl::Start, true);
    m_host.EnableControl(RunControl::Stop, false);
    m_host.EnableControl(RunControl::Pause, false);
    m_host.SetControlText(RunControl::Pause, kPauseText);
    m_host.EnableControl(RunControl::DirTree, true);
    m_host.ShowControl(RunControl::ResultList, RunShow::Hide);
    m_host.ShowControl(RunControl::ScanNow, RunShow::Show);
    m_host.SetStatusText(kStartFailedText);
}

void ScanRun::ShowRunningControls() {
    m_host.EnableControl(RunControl::Start, false);
    m_host.EnableControl(RunControl::Stop, true);
    m_host.EnableControl(RunControl::Pause, true);
    m_host.SetControlText(RunControl::Pause, kPauseText);
    m_host.EnableControl(RunControl::DirTree, false);
}

void ScanRun::OnPause() {
    // A run whose walk has ended has nothing left to hold; the button is disabled by then, and a
    // click that was already queued must not leave the next run paused.
    if (!m_bScanning.load()) return;
    if (!m_bPaused.load()) {
        m_engine.HoldWalk();
        m_bPaused.store(true);
        m_host.EnableControl(RunControl::Start, false);
        m_host.SetControlText(RunControl::Pause, kContinueText);
    } else {
        m_engine.ReleaseWalk();
        m_bPaused.store(false);
        m_host.SetControlText(RunControl::Pause, kPauseText);
    }
}

void ScanRun::OnStop() {
    // A click queued before the button was disabled: the walk has ended, its thread may already
    // have reset the counters, and a summary written now would read 0 beside the listed junk.
    if (!m_bScanning.load()) return;
    m_bAnimating.store(false);
    if (m_bPaused.load()) {
        // The released walk must meet the stop at its next entry, not walk on until FinishScan.
        m_engine.RequestStop();
        m_bPaused.store(false);
    }
    m_host.SetControlText(RunControl::Pause, kPauseText);
    ShowScanSummary();
    FinishScan();
}

void ScanRun::FinishScan() {
    m_engine.RequestStop();
    m_bScanning.store(false);
    m_scanEvent.Signal();
    m_host.EnableControl(RunControl::Start, true);
    m_host.EnableControl(RunControl::Pause, false);
    m_host.EnableControl(RunControl::Stop, false);
    m_host.EnableControl(RunControl::DirTree, true);
    m_bAnimating.store(false);
    m_engine.ResetScannedKB();
    m_host.SetProgressPos(m_nUsedKB.load() >> 10);
}

void ScanRun::ShowScanSummary() {
    m_host.SetStatusText(ScanSummaryText(m_engine.JunkCount(), m_engine.JunkKB()));
}

uint32_t ScanRun::MeasureUsedSpace() {
    if (!m_strScanPath.empty()) m_nUsedKB.store(m_engine.GetUsedSpaceKB(m_strScanPath));
    return m_nUsedKB.load() >> 10;
}

uint32_t ScanRun::AddToProgressBasis(uint32_t kb) {
    SaturatingAdd(m_nUsedKB, kb);
    return m_nUsedKB.load() >> 10;
}

void ScanRun::ScanWorker(const WorkerStart& start) {
    try {
        if (m_launch.Await(start.ticket)) {
            m_scanEvent.Wait();
            try {
                // With no folder nothing is walked: an empty path must not become the drive's root.
                if (!start.scanFolder.empty()) m_engine.ScanFolder(start.scanFolder);
            } catch (...) {
                // A walk that could not go on ends as a stopped one does, with what it found.
            }
            FinishScan();
            ShowScanSummary();
            m_engine.ResetJunkTotals();
            m_engine.EmptyJunkPatterns();
        }
    } catch (...) {
    }
    WorkerEnded(RunWorker::Scan);
}

void ScanRun::CleanWorker(const WorkerStart& start) {
    try {
        CleanWorkerHost cleanHost(m_host, m_engine, start.ticket);
        if (m_launch.Await(start.ticket)) {
            const std::unique_ptr<CleanServices> services = m_makeCleanServices();
            RunCleanOptions(cleanHost, *services);
        }
    } catch (...) {
        // The options not reached stay undone; the walk was released as the host went.
    }
    WorkerEnded(RunWorker::Clean);
}

void ScanRun::AnimationWorker(const WorkerStart& start) {
    try {
        if (m_launch.Await(start.ticket)) m_host.RunBusyAnimation(m_bAnimating, m_engine.ScanGate());
    } catch (...) {
    }
    WorkerEnded(RunWorker::Animation);
}

void ScanRun::WorkerEnded(RunWorker worker) {
    if (worker == RunWorker::Scan) m_bScanThreadAlive.store(false);
    // The last touch of this object by the worker.
    m_nLiveWorkers.fetch_sub(1);
}
