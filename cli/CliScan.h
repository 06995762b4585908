#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/CountingFolderEnumerator.h"
#include "engine/ScanEngine.h"
#include "engine/ScanWindow.h"

// One walk of the command-line scanner: the dialog's engine with the six junk patterns, whose
// window operations collect the junk list instead of filling controls.
class CliScan : private ScanWindow {
public:
    struct JunkFile {
        std::string path;  // as the walk built it: the scan folder joined with the names below it
        uint64_t bytes = 0;
    };
    using JunkListener = std::function<void(const JunkFile&)>;

    CliScan(FolderEnumerator& enumerator, DiskSpaceQuery& diskSpace, LeadBytePredicate isLeadByte);

    // True when the folder can be listed; the walk of a folder that cannot is empty.
    bool CanList(const std::string& folder);

    // Walks folder with the six junk patterns; onJunk hears of each junk file as it is found.
    void Run(const std::string& folder, const JunkListener& onJunk = nullptr);

    // Stops the walk at its next entry. Touches nothing but a lock-free flag, so a signal
    // handler may call it.
    void RequestStop() { m_engine.m_bStopScan.store(true); }
    bool StopRequested() const { return m_engine.m_bStopScan.load(); }
    std::atomic<bool>& StopFlag() { return m_engine.m_bStopScan; }

    const std::vector<JunkFile>& JunkFiles() const { return m_junkFiles; }
    uint32_t JunkCount() const { return m_engine.m_nJunkCount.load(); }
    uint32_t JunkKB() const { return m_engine.m_nJunkKB.load(); }
    uint64_t JunkBytes() const { return m_junkBytes; }
    // Readable from any thread while the walk runs.
    uint32_t ScannedKB() const { return m_engine.m_nScannedKB.load(); }
    uint64_t FilesListed() const { return m_counter.FilesListed(); }
    // The folder being listed, for the progress line.
    std::string CurrentFolder() const;

    // The engine's summary sentence for what was found (GBK).
    std::string SummaryText() const;

private:
    void SetProgressPos(uint32_t position) override;
    void SetStatusText(const std::string& text) override;
    void AddResultLine(const std::string& line) override;
    void SignalScanEvent() override;

    CountingFolderEnumerator m_counter;
    ScanEngine m_engine;
    LeadBytePredicate m_isLeadByte;
    std::vector<JunkFile> m_junkFiles;
    uint64_t m_junkBytes = 0;
    JunkListener m_onJunk;
};
