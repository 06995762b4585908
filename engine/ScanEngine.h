#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "engine/DiskSpaceQuery.h"
#include "engine/FolderEnumerator.h"
#include "engine/FolderReadAhead.h"
#include "engine/LeadBytePredicate.h"
#include "engine/PauseGate.h"
#include "engine/ScanWindow.h"

// The junk matcher, the scan walk and the drive's used space, with the state they share between
// the interface thread, the scan thread and the clean worker, kept private behind named
// operations. The window operations, the folder listing and the drive query are given to it.
class ScanEngine {
public:
    ScanEngine(FolderEnumerator& enumerator, DiskSpaceQuery& diskSpace, ScanWindow& window,
               LeadBytePredicate isLeadByte);
    virtual ~ScanEngine() = default;
    ScanEngine(const ScanEngine&) = delete;
    ScanEngine& operator=(const ScanEngine&) = delete;

    // Appends "*.tmp", "*.syd", "*.old", "*.gid", "*._mp", "*.??~" at the tail, duplicates and all.
    void AddJunkPatterns();
    // Empties the list; a decision still open is closed, so a late one changes nothing.
    void EmptyJunkPatterns();
    std::vector<std::string> JunkPatterns() const;

    // A run's walk tests no name before that run's clean worker has passed its TempFiles step.
    // Opening a decision empties the list and makes the matcher wait (until the decision, or a
    // stop); the returned ticket names the run's decision.
    uint64_t OpenPatternDecision();
    // The TempFiles step of the run holding ticket: appends the six patterns when add, and lets
    // the walk match either way. A ticket whose decision is closed changes nothing.
    void DecideJunkPatterns(uint64_t ticket, bool add);

    // True when the extension of the file at path equals one of the patterns' extensions, exactly
    // and case-sensitively. Puts path into the status line once for each pattern it tries, unless
    // the scan is being stopped.
    bool IsJunkFile(const std::string& path);

    // Walks folder depth first: counts every file into the scanned total and the progress bar, and
    // lists every junk file. Stops at the next entry once a stop is requested, signalling the scan
    // event from each level that had entries left; waits between entries while the walk is held.
    // A second thread lists the folders it is about to enter; it handles entries as one thread would.
    void ScanFolder(const std::string& folder);

    // The used space, in KB, of the drive that holds path; 0 when the drive cannot be queried.
    uint32_t GetUsedSpaceKB(const std::string& path);

    // A stop request: the walk ends at its next entry, and a held walk goes on to meet it.
    void RequestStop();
    // An accepted start: clears the stop request and opens the gate for the new walk.
    void ClearStopRequest();

    // The walk's totals: every file's KB, the junk files' KB and their number.
    uint32_t ScannedKB() const { return m_nScannedKB.load(); }
    uint32_t JunkKB() const { return m_nJunkKB.load(); }
    uint32_t JunkCount() const { return m_nJunkCount.load(); }
    // The next walk counts from zero: the scanned total at the end of a run, the junk totals once
    // its summary is written.
    void ResetScannedKB() { m_nScannedKB.store(0); }
    void ResetJunkTotals();

    // Pause: a held walk waits between two entries until released (or stopped).
    void HoldWalk() { m_scanGate.Hold(); }
    void ReleaseWalk() { m_scanGate.Release(); }
    // The gate the walk passes between entries; the busy animation passes it between frames.
    PauseGate& ScanGate() { return m_scanGate; }

private:
    std::atomic<bool> m_bStopScan{false};
    std::atomic<uint32_t> m_nScannedKB{0};
    std::atomic<uint32_t> m_nJunkKB{0};
    std::atomic<uint32_t> m_nJunkCount{0};
    PauseGate m_scanGate;

    // Guards m_lstJunkPatterns and the decision: the clean worker appends while the scan thread
    // matches and empties.
    mutable std::mutex m_junkPatternsLock;
    std::vector<std::string> m_lstJunkPatterns;

    void ScanLevel(const std::string& folder, FolderListing listing, FolderReadAhead& readAhead);
    // At a level's first folder to enter: reads the rest of the level and tells the read-ahead
    // every folder the walk will enter from it, that one first.
    void PlanLevel(const std::string& folder, const std::string& firstChild, FolderListing& listing,
                   FolderReadAhead& readAhead);
    void SetStatusText(const std::string& text);
    void SetProgressPos(uint32_t position);
    // The scan thread's copy of the pattern list, refreshed when the list has changed, so the
    // status line is never written while the list's lock is held.
    const std::vector<std::string>& CurrentPatterns();

    FolderEnumerator& m_enumerator;
    DiskSpaceQuery& m_diskSpace;
    ScanWindow& m_window;
    LeadBytePredicate m_isLeadByte;
    char m_separator;

    void AppendJunkPatterns();
    void AwaitPatternDecision();

    // The open decision, if any: its ticket, and whether the matcher still waits for it.
    uint64_t m_nPatternTicket = 0;
    std::atomic<bool> m_bPatternsPending{false};
    std::condition_variable m_patternsDecided;

    std::atomic<uint64_t> m_patternsVersion{0};
    uint64_t m_seenPatternsVersion = ~uint64_t{0};
    std::vector<std::string> m_patternsSeen;

    // What the walk last asked of the window, to skip requests that would change nothing.
    std::string m_lastStatus;
    bool m_bStatusSet = false;
    uint32_t m_lastProgress = 0;
    bool m_bProgressSet = false;
};
