#include "engine/ScanEngine.h"

#include <utility>

#include "engine/FolderReadAhead.h"
#include "engine/PathText.h"
#include "engine/SizeKB.h"
#include "engine/WalkRules.h"

ScanEngine::ScanEngine(FolderEnumerator& enumerator, DiskSpaceQuery& diskSpace, ScanWindow& window,
                       LeadBytePredicate isLeadByte)
    : m_enumerator(enumerator),
      m_diskSpace(diskSpace),
      m_window(window),
      m_isLeadByte(std::move(isLeadByte)),
      m_separator(enumerator.Separator()) {}

void ScanEngine::AddJunkPatterns() {
    std::lock_guard lock(m_junkPatternsLock);
    AppendJunkPatterns();
}

void ScanEngine::AppendJunkPatterns() {
    for (const char* pattern : kJunkPatterns) m_lstJunkPatterns.emplace_back(pattern);
    m_patternsVersion.fetch_add(1, std::memory_order_release);
}

void ScanEngine::EmptyJunkPatterns() {
    {
        std::lock_guard lock(m_junkPatternsLock);
        m_lstJunkPatterns.clear();
        ++m_nPatternTicket;
        m_bPatternsPending.store(false);
        m_patternsVersion.fetch_add(1, std::memory_order_release);
    }
    m_patternsDecided.notify_all();
}

uint64_t ScanEngine::OpenPatternDecision() {
    std::lock_guard lock(m_junkPatternsLock);
    m_lstJunkPatterns.clear();
    m_patternsVersion.fetch_add(1, std::memory_order_release);
    m_bPatternsPending.store(true);
    return ++m_nPatternTicket;
}

void ScanEngine::DecideJunkPatterns(uint64_t ticket, bool add) {
    {
        std::lock_guard lock(m_junkPatternsLock);
        if (ticket != m_nPatternTicket || !m_bPatternsPending.load()) return;
        if (add) AppendJunkPatterns();
        m_bPatternsPending.store(false);
    }
    m_patternsDecided.notify_all();
}

void ScanEngine::AwaitPatternDecision() {
    std::unique_lock lock(m_junkPatternsLock);
    m_patternsDecided.wait(lock, [this] { return !m_bPatternsPending.load() || m_bStopScan.load(); });
}

std::vector<std::string> ScanEngine::JunkPatterns() const {
    std::lock_guard lock(m_junkPatternsLock);
    return m_lstJunkPatterns;
}

const std::vector<std::string>& ScanEngine::CurrentPatterns() {
    if (m_bPatternsPending.load()) AwaitPatternDecision();
    if (m_patternsVersion.load(std::memory_order_acquire) != m_seenPatternsVersion) {
        std::lock_guard lock(m_junkPatternsLock);
        m_patternsSeen = m_lstJunkPatterns;
        m_seenPatternsVersion = m_patternsVersion.load(std::memory_order_relaxed);
    }
    return m_patternsSeen;
}

bool ScanEngine::IsJunkFile(const std::string& path) {
    const std::string_view extension =
        JunkExtensionOf(std::string_view(path).substr(FileNameStart(path, m_isLeadByte)));
    // The list may hold other patterns than the six, or the six more than once: each is tried.
    for (const std::string& pattern : CurrentPatterns()) {
        if (!m_bStopScan.load()) SetStatusText(path);
        if (extension == PatternExtensionOf(pattern)) return true;
    }
    return false;
}

void ScanEngine::ScanFolder(const std::string& folder) {
    // Something else may have written the status line or the bar since the last walk.
    m_bStatusSet = false;
    m_bProgressSet = false;
    FolderReadAhead readAhead(m_enumerator, m_scanGate, m_bStopScan);
    ScanLevel(folder, readAhead.Open(SearchPatternOf(folder, m_separator, m_isLeadByte)), readAhead);
}

void ScanEngine::ScanLevel(const std::string& folder, FolderListing listing, FolderReadAhead& readAhead) {
    if (m_bStopScan.load()) {
        listing = FolderListing();
        m_window.SignalScanEvent();
        return;
    }
    if (!listing.IsOpen()) return;

    bool bPlanned = false;
    FolderEntry entry;
    while (listing.Next(entry)) {
        m_scanGate.Pass();
        if (m_bStopScan.load()) {
            listing = FolderListing();
            m_window.SignalScanEvent();
            break;
        }
        if (entry.isDirectory) {
            if (!IsWalkedFolder(entry)) continue;
            const std::string child = PathJoin(folder, entry.name, m_separator, m_isLeadByte);
            if (!FitsMaxPath(child)) continue;
            if (!bPlanned) {
                PlanLevel(folder, child, listing, readAhead);
                bPlanned = true;
            }
            ScanLevel(child, readAhead.TakeNext(), readAhead);
            continue;
        }
        std::string full = PathJoin(folder, entry.name, m_separator, m_isLeadByte);
        if (!FitsMaxPath(full)) continue;
        const uint32_t kb = SizeInKB(entry.size);
        SaturatingAdd(m_nScannedKB, kb);
        SetProgressPos(m_nScannedKB.load() >> 10);
        if (IsJunkFile(full)) {
            SaturatingAdd(m_nJunkKB, kb);
            SaturatingAdd(m_nJunkCount, 1);
            m_window.AddResultLine(full);
        }
    }
    if (bPlanned) readAhead.LeaveLevel();
}

void ScanEngine::PlanLevel(const std::string& folder, const std::string& firstChild, FolderListing& listing,
                           FolderReadAhead& readAhead) {
    readAhead.ReadRest(listing);
    FolderReadAhead::LevelPlan entered;
    entered.Add(SearchPatternOf(firstChild, m_separator, m_isLeadByte));
    for (const FolderEntry* entry = listing.UnreadBegin(); entry != listing.UnreadEnd(); ++entry) {
        if (!entry->isDirectory || !IsWalkedFolder(*entry)) continue;
        const std::string child = PathJoin(folder, entry->name, m_separator, m_isLeadByte);
        if (FitsMaxPath(child)) entered.Add(SearchPatternOf(child, m_separator, m_isLeadByte));
    }
    readAhead.EnterLevel(std::move(entered));
}

void ScanEngine::ResetJunkTotals() {
    m_nJunkKB.store(0);
    m_nJunkCount.store(0);
}

uint32_t ScanEngine::GetUsedSpaceKB(const std::string& path) {
    DiskSpace space;
    if (!m_diskSpace.QueryDiskSpace(path, space)) return 0;
    const uint64_t bytesPerCluster = uint64_t{space.sectorsPerCluster} * space.bytesPerSector;
    // A drive that claims more free clusters than it has uses none.
    const uint32_t usedClusters =
        space.totalClusters >= space.freeClusters ? space.totalClusters - space.freeClusters : 0;
    const double usedKB = static_cast<double>(bytesPerCluster) * (1.0 / 1024.0) * usedClusters;
    return usedKB >= static_cast<double>(kMaxKB) ? kMaxKB : static_cast<uint32_t>(usedKB);
}

void ScanEngine::RequestStop() {
    {
        // Under the lock, so a matcher about to wait for the patterns cannot miss the stop.
        std::lock_guard lock(m_junkPatternsLock);
        m_bStopScan.store(true);
    }
    m_patternsDecided.notify_all();
    m_scanGate.Stop();
}

void ScanEngine::ClearStopRequest() {
    m_scanGate.Reset();
    m_bStopScan.store(false);
}

void ScanEngine::SetStatusText(const std::string& text) {
    if (m_bStatusSet && text == m_lastStatus) return;
    m_window.SetStatusText(text);
    m_lastStatus = text;
    m_bStatusSet = true;
}

void ScanEngine::SetProgressPos(uint32_t position) {
    if (m_bProgressSet && position == m_lastProgress) return;
    m_window.SetProgressPos(position);
    m_lastProgress = position;
    m_bProgressSet = true;
}
