#include "cli/CliScan.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "engine/PathText.h"
#include "engine/ScanSummary.h"
#include "engine/SizeKB.h"
#include "engine/WalkRules.h"

namespace {

// A stop from a signal handler cannot wake a waiting thread; waits look at the flag this often.
constexpr auto kStopPoll = std::chrono::milliseconds(50);

// The file counters are shared by every thread: each listing adds to them in batches.
constexpr uint64_t kCounterBatch = 256;

}  // namespace

// A folder of the walk: listed by one thread, then read by the thread that lists the junk.
struct CliScan::Folder {
    Folder(std::string folderPath, std::string folderName, std::shared_ptr<WalkFolder> openParent,
           std::shared_ptr<const ListedFolder> listedParent)
        : path(std::move(folderPath)),
          name(std::move(folderName)),
          parent(std::move(openParent)),
          parentListed(std::move(listedParent)) {}
    std::string path;
    std::string name;  // in its parent; empty for the scanned folder
    // The parent, held open until this folder is: null for the scanned folder, opened by path.
    std::shared_ptr<WalkFolder> parent;
    std::shared_ptr<const ListedFolder> parentListed;
    bool bListed = false;  // under m_lock; what follows is complete once it is set
    bool bUnreadable = false;
    std::vector<JunkFile> junk;
    std::vector<std::unique_ptr<Folder>> children;
    uint64_t tooRecentCount = 0;
    uint64_t tooRecentBytes = 0;
};

CliScan::CliScan(WalkFolderOpener& opener, LeadBytePredicate isLeadByte, unsigned threads)
    : m_opener(opener),
      m_isLeadByte(std::move(isLeadByte)),
      m_threads(threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency())),
      m_separator(opener.Separator()) {}

CliScan::~CliScan() = default;

bool CliScan::CanList(const std::string& folder) {
    const std::string pattern = SearchPatternOf(folder, m_separator, m_isLeadByte);
    return FitsMaxPath(pattern) && m_opener.OpenRoot(folder) != nullptr;
}

void CliScan::Run(const std::string& folder, const Filters& filters, const JunkListener& onJunk) {
    m_filters = filters;
    m_excludedKeys.clear();
    for (const std::string& excluded : m_filters.excludedFolders)
        m_excludedKeys.insert(m_filters.pathKey ? m_filters.pathKey(excluded) : excluded);
    m_nFiles.store(0);
    m_nScannedKB.store(0);
    m_junkFiles.clear();
    m_junkCount = m_junkKB = 0;
    m_junkBytes = m_tooRecentCount = m_tooRecentBytes = 0;
    m_unreadableFolders.clear();
    {
        std::lock_guard lock(m_lock);
        m_order.push_back(std::make_unique<Folder>(folder, std::string(), nullptr, nullptr));
        if (IsExcluded(folder))
            m_order.back()->bListed = true;
        else
            m_pending.push_back(m_order.back().get());
        AdvanceLocked();
    }
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < m_threads; ++i) workers.emplace_back([this] { Work(); });
    ListReady(onJunk);
    // The folders still held may be in a worker's hands until it has ended.
    for (std::thread& worker : workers) worker.join();
    m_pending.clear();
    m_order.clear();
    m_ready.clear();
}

// Takes the folder found last, so the threads stay close to where the list is.
void CliScan::Work() {
    std::unique_lock lock(m_lock);
    for (;;) {
        while (m_pending.empty() && !ShouldEnd()) {
            ++m_nIdle;
            m_workToDo.wait_for(lock, kStopPoll);
            --m_nIdle;
        }
        if (ShouldEnd()) {
            m_workToDo.notify_all();
            m_listReady.notify_all();
            return;
        }
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
        if (m_nIdle > 0 && !folder->children.empty()) m_workToDo.notify_all();
        AdvanceLocked();
    }
}

// Under m_lock: hands the junk of every listed folder at the head of the order to the calling
// thread, depth first. A thread waits only for a folder that is not listed yet, and the calling
// thread only for junk, not for every folder.
void CliScan::AdvanceLocked() {
    const bool wasEmpty = m_ready.empty();
    while (!m_order.empty() && m_order.back()->bListed) {
        const std::unique_ptr<Folder> folder = std::move(m_order.back());
        m_order.pop_back();
        m_tooRecentCount += folder->tooRecentCount;
        m_tooRecentBytes += folder->tooRecentBytes;
        if (folder->bUnreadable) m_unreadableFolders.push_back(folder->path);
        std::move(folder->junk.begin(), folder->junk.end(), std::back_inserter(m_ready));
        std::move(folder->children.rbegin(), folder->children.rend(), std::back_inserter(m_order));
    }
    if ((wasEmpty && !m_ready.empty()) || m_order.empty()) m_listReady.notify_all();
}

// Under m_lock: stopped, or nothing left to list.
bool CliScan::ShouldEnd() const { return StopRequested() || (m_pending.empty() && m_nListing == 0); }

void CliScan::ListFolder(Folder& folder) {
    // A pattern too long for the platform's buffer is a folder the window's walk cannot list
    // either: passed over, as it would be there.
    if (!FitsMaxPath(SearchPatternOf(folder.path, m_separator, m_isLeadByte))) return;
    const std::shared_ptr<WalkFolder> open =
        folder.parent ? folder.parent->OpenChild(folder.name, folder.path) : m_opener.OpenRoot(folder.path);
    folder.parent.reset();
    if (!open) {
        folder.bUnreadable = true;
        return;
    }
    const auto listed = std::make_shared<const ListedFolder>(
        ListedFolder{std::move(folder.parentListed), folder.name, open->Identity()});
    const std::string prefix = PathJoin(folder.path, std::string(), m_separator, m_isLeadByte);
    std::vector<std::string> subfolders;
    uint64_t files = 0;
    uint64_t kb = 0;
    const auto flush = [&] {
        m_nFiles.fetch_add(files, std::memory_order_relaxed);
        m_nScannedKB.fetch_add(kb, std::memory_order_relaxed);
        files = kb = 0;
    };
    WalkEntry walked;
    const FolderEntry& entry = walked.entry;
    while (open->Next(walked) && !StopRequested()) {
        if (entry.isDirectory) {
            if (!IsWalkedFolder(entry)) continue;
            if (FitsMaxPath(prefix + entry.name) && !IsExcluded(prefix + entry.name))
                subfolders.push_back(entry.name);
            continue;
        }
        if (prefix.size() + entry.name.size() > kMaxPathChars) continue;
        kb += SizeInKB(entry.size);
        if (++files == kCounterBatch) flush();
        if (!walked.isRegularFile || !IsJunkName(entry.name)) continue;
        const std::optional<int64_t>& newest = m_filters.newestModified;
        if (newest && (!walked.modified || *walked.modified > *newest)) {
            ++folder.tooRecentCount;
            folder.tooRecentBytes += entry.size;
            continue;
        }
        folder.junk.push_back({prefix + entry.name, entry.size, listed, prefix.size(), walked.identity});
    }
    flush();

    std::sort(folder.junk.begin(), folder.junk.end(),
              [](const JunkFile& a, const JunkFile& b) { return a.path < b.path; });
    // One prefix: paths sort as their names do.
    std::sort(subfolders.begin(), subfolders.end());
    for (std::string& name : subfolders)
        folder.children.push_back(std::make_unique<Folder>(prefix + name, std::move(name), open, listed));
}

// Lists the junk handed over, in batches, until every folder is done or the walk is stopped.
void CliScan::ListReady(const JunkListener& onJunk) {
    std::vector<JunkFile> batch;
    std::unique_lock lock(m_lock);
    for (;;) {
        m_listReady.wait_for(lock, kStopPoll,
                             [this] { return !m_ready.empty() || m_order.empty() || StopRequested(); });
        if (StopRequested() || (m_ready.empty() && m_order.empty())) return;
        batch.swap(m_ready);
        lock.unlock();
        for (JunkFile& junk : batch) {
            if (StopRequested()) return;
            m_junkCount = SaturatingAdd(m_junkCount, 1);
            m_junkKB = SaturatingAdd(m_junkKB, SizeInKB(junk.bytes));
            m_junkBytes += junk.bytes;
            m_junkFiles.push_back(std::move(junk));
            if (onJunk) onJunk(m_junkFiles.back());
        }
        batch.clear();
        lock.lock();
    }
}

bool CliScan::IsExcluded(const std::string& folder) const {
    if (m_excludedKeys.empty()) return false;
    return m_excludedKeys.count(m_filters.pathKey ? m_filters.pathKey(folder) : folder) != 0;
}

uint32_t CliScan::ScannedKB() const { return ClampToKB(m_nScannedKB.load(std::memory_order_relaxed)); }

std::string CliScan::CurrentFolder() const {
    std::lock_guard lock(m_lock);
    return m_currentFolder;
}

std::string CliScan::SummaryText() const { return ScanSummaryText(m_junkCount, m_junkKB); }
