#include "cli/CliScan.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "cli/JunkName.h"
#include "engine/PathText.h"
#include "engine/ScanSummary.h"
#include "engine/SizeKB.h"

namespace {

// A stop from a signal handler cannot wake a waiting thread; waits look at the flag this often.
constexpr auto kStopPoll = std::chrono::milliseconds(50);

// The file counters are shared by every thread: each listing adds to them in batches.
constexpr uint64_t kCounterBatch = 256;

// The folder names the window's walk never enters.
bool IsSkippedFolderName(const std::string& name)
{
    return name == "..." || name == ".." || name == "." || name.empty();
}

}  // namespace

// A folder of the walk: listed by one thread, then read by the thread that lists the junk.
struct CliScan::Folder {
    explicit Folder(std::string folderPath) : path(std::move(folderPath)) {}
    std::string path;
    bool bListed = false;  // under m_lock; what follows is complete once it is set
    std::vector<JunkFile> junk;
    std::vector<std::unique_ptr<Folder>> children;
    uint64_t tooRecentCount = 0;
    uint64_t tooRecentBytes = 0;
};

CliScan::CliScan(FolderEnumerator& enumerator, LeadBytePredicate isLeadByte, unsigned threads)
    : m_enumerator(enumerator),
      m_isLeadByte(std::move(isLeadByte)),
      m_threads(threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency())),
      m_separator(enumerator.Separator())
{
}

CliScan::~CliScan() = default;

bool CliScan::CanList(const std::string& folder)
{
    const std::string pattern = SearchPatternOf(folder, m_separator, m_isLeadByte);
    return FitsMaxPath(pattern) && m_enumerator.Open(pattern) != nullptr;
}

void CliScan::Run(const std::string& folder, const Filters& filters, const JunkListener& onJunk)
{
    m_filters = filters;
    m_excludedKeys.clear();
    for (const std::string& excluded : m_filters.excludedFolders)
        m_excludedKeys.insert(m_filters.pathKey ? m_filters.pathKey(excluded) : excluded);

    m_nFiles.store(0);
    m_nScannedKB.store(0);
    std::vector<std::unique_ptr<Folder>> order;
    order.push_back(std::make_unique<Folder>(folder));
    {
        std::lock_guard lock(m_lock);
        m_pending.clear();
        if (IsExcluded(folder))
            order.back()->bListed = true;
        else
            m_pending.push_back(order.back().get());
    }
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < m_threads; ++i)
        workers.emplace_back([this] { Work(); });
    ListInOrder(order, onJunk);
    // The folders still held may be in a worker's hands until it has ended.
    for (std::thread& worker : workers)
        worker.join();
    m_pending.clear();
}

// Takes the folder found last, so the threads stay close to where the list is.
void CliScan::Work()
{
    std::unique_lock lock(m_lock);
    for (;;) {
        m_changed.wait_for(lock, kStopPoll, [this] { return !m_pending.empty() || ShouldEnd(); });
        if (ShouldEnd()) {
            m_changed.notify_all();
            return;
        }
        if (m_pending.empty())
            continue;
        Folder* folder = m_pending.back();
        m_pending.pop_back();
        ++m_nListing;
        m_currentFolder = folder->path;
        lock.unlock();
        ListFolder(*folder);
        lock.lock();
        --m_nListing;
        folder->bListed = true;
        for (auto child = folder->children.rbegin(); child != folder->children.rend(); ++child)
            m_pending.push_back(child->get());
        m_changed.notify_all();
    }
}

// Under m_lock: stopped, or nothing left to list.
bool CliScan::ShouldEnd() const { return StopRequested() || (m_pending.empty() && m_nListing == 0); }

void CliScan::ListFolder(Folder& folder)
{
    const std::string pattern = SearchPatternOf(folder.path, m_separator, m_isLeadByte);
    // A pattern too long for the platform's buffer is a folder that cannot be listed.
    std::unique_ptr<FolderEnumeration> listing = FitsMaxPath(pattern) ? m_enumerator.Open(pattern) : nullptr;
    if (!listing)
        return;
    const std::string prefix = PathJoin(folder.path, std::string(), m_separator, m_isLeadByte);
    std::vector<std::string> subfolders;
    uint64_t files = 0;
    uint64_t kb = 0;
    const auto flush = [&] {
        m_nFiles.fetch_add(files, std::memory_order_relaxed);
        m_nScannedKB.fetch_add(kb, std::memory_order_relaxed);
        files = kb = 0;
    };
    FolderEntry entry;
    while (listing->Next(entry) && !StopRequested()) {
        if (entry.isDirectory) {
            if (IsSkippedFolderName(entry.name) || entry.isLink)
                continue;
            std::string child = prefix + entry.name;
            if (FitsMaxPath(child) && !IsExcluded(child))
                subfolders.push_back(std::move(child));
            continue;
        }
        if (prefix.size() + entry.name.size() > kMaxPathChars)
            continue;
        kb += SizeInKB(entry.size);
        if (++files == kCounterBatch)
            flush();
        if (!IsJunkName(entry.name))
            continue;
        std::string path = prefix + entry.name;
        if (m_filters.isTooRecent && m_filters.isTooRecent(path)) {
            ++folder.tooRecentCount;
            folder.tooRecentBytes += entry.size;
            continue;
        }
        folder.junk.push_back({std::move(path), entry.size});
    }
    flush();
    listing.reset();

    std::sort(folder.junk.begin(), folder.junk.end(),
              [](const JunkFile& a, const JunkFile& b) { return a.path < b.path; });
    // One prefix: paths sort as their names do.
    std::sort(subfolders.begin(), subfolders.end());
    for (std::string& child : subfolders)
        folder.children.push_back(std::make_unique<Folder>(std::move(child)));
}

// Lists each folder's junk once that folder is listed, depth first; order holds the folders
// still to list, next one last.
void CliScan::ListInOrder(std::vector<std::unique_ptr<Folder>>& order, const JunkListener& onJunk)
{
    m_junkFiles.clear();
    m_junkCount = m_junkKB = 0;
    m_junkBytes = m_tooRecentCount = m_tooRecentBytes = 0;
    while (!order.empty() && !StopRequested()) {
        Folder& folder = *order.back();
        {
            std::unique_lock lock(m_lock);
            m_changed.wait_for(lock, kStopPoll, [&] { return folder.bListed || StopRequested(); });
            if (!folder.bListed)
                continue;
        }
        m_tooRecentCount += folder.tooRecentCount;
        m_tooRecentBytes += folder.tooRecentBytes;
        for (JunkFile& junk : folder.junk) {
            if (StopRequested())
                return;
            m_junkCount = SaturatingAdd(m_junkCount, 1);
            m_junkKB = SaturatingAdd(m_junkKB, SizeInKB(junk.bytes));
            m_junkBytes += junk.bytes;
            m_junkFiles.push_back(std::move(junk));
            if (onJunk)
                onJunk(m_junkFiles.back());
        }
        std::vector<std::unique_ptr<Folder>> children = std::move(folder.children);
        order.pop_back();
        std::move(children.rbegin(), children.rend(), std::back_inserter(order));
    }
}

bool CliScan::IsExcluded(const std::string& folder) const
{
    if (m_excludedKeys.empty())
        return false;
    return m_excludedKeys.count(m_filters.pathKey ? m_filters.pathKey(folder) : folder) != 0;
}

uint32_t CliScan::ScannedKB() const { return ClampToKB(m_nScannedKB.load(std::memory_order_relaxed)); }

std::string CliScan::CurrentFolder() const
{
    std::lock_guard lock(m_lock);
    return m_currentFolder;
}

std::string CliScan::SummaryText() const { return ScanSummaryText(m_junkCount, m_junkKB); }
