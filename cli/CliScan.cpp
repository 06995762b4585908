#include "cli/CliScan.h"

#include <utility>

#include "engine/PathText.h"
#include "engine/ScanSummary.h"

CliScan::CliScan(FolderEnumerator& enumerator, DiskSpaceQuery& diskSpace, LeadBytePredicate isLeadByte)
    : m_counter(enumerator), m_engine(m_counter, diskSpace, *this, isLeadByte), m_isLeadByte(std::move(isLeadByte))
{
}

bool CliScan::CanList(const std::string& folder)
{
    const std::string pattern = SearchPatternOf(folder, m_counter.Separator(), m_isLeadByte);
    return FitsMaxPath(pattern) && m_counter.Open(pattern) != nullptr;
}

void CliScan::Run(const std::string& folder, const JunkListener& onJunk)
{
    m_onJunk = onJunk;
    m_engine.AddJunkPatterns();
    m_engine.ScanFolder(folder);
    m_engine.EmptyJunkPatterns();
    m_onJunk = nullptr;
}

std::string CliScan::CurrentFolder() const
{
    std::string folder = m_counter.CurrentSearchPattern();
    static const std::string kAllEntries = "*.*";
    if (folder.size() >= kAllEntries.size())
        folder.resize(folder.size() - kAllEntries.size());
    // The separator the pattern added, unless the folder is a root ("/", "C:\\").
    const bool root = folder.size() == 1 || (folder.size() == 3 && folder[1] == ':');
    if (!root && !folder.empty() && folder.back() == m_counter.Separator() && !EndsInTrailByte(folder, m_isLeadByte))
        folder.pop_back();
    return folder;
}

std::string CliScan::SummaryText() const
{
    return ScanSummaryText(JunkCount(), JunkKB());
}

void CliScan::SetProgressPos(uint32_t) {}

// The walk names every file it tests here; the progress line shows folders instead.
void CliScan::SetStatusText(const std::string&) {}

void CliScan::AddResultLine(const std::string& line)
{
    // The walk lists a junk file right after the listing handed out its entry.
    JunkFile junk{line, m_counter.LastFileSize()};
    m_junkBytes += junk.bytes;
    m_junkFiles.push_back(std::move(junk));
    if (m_onJunk)
        m_onJunk(m_junkFiles.back());
}

void CliScan::SignalScanEvent() {}
