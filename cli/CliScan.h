#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/JunkFile.h"
#include "cli/WalkFolderOpener.h"
#include "engine/LeadBytePredicate.h"

// One walk of the command-line scanner: the window's walk rules (the six junk extensions, the
// 259-byte paths, links and dot folders not entered) on several threads at once, with an order
// that does not depend on them: depth first, each folder's junk files by name (byte order), then
// its sub-folders by name, each walked whole. Only regular files are junk.
class CliScan {
public:
    using JunkFile = ::JunkFile;
    using JunkListener = std::function<void(const JunkFile&)>;

    struct Filters {
        // Folders not walked, spelled as the walk spells paths below its folder.
        std::vector<std::string> excludedFolders;
        // The form in which two paths are compared; byte for byte when empty.
        std::function<std::string(const std::string&)> pathKey;
        // Junk modified after this time (seconds since 1970) is kept as too recent, and so is junk
        // whose time cannot be read: the guard errs on the side of keeping.
        std::optional<int64_t> newestModified;
    };

    // threads: how many folders are listed at once; 0 for one per processor.
    CliScan(WalkFolderOpener& opener, LeadBytePredicate isLeadByte, unsigned threads = 0);
    ~CliScan();
    CliScan(const CliScan&) = delete;
    CliScan& operator=(const CliScan&) = delete;

    // True when the folder can be listed; the walk of a folder that cannot is empty.
    bool CanList(const std::string& folder);

    // Walks folder; onJunk hears of each junk file, on the calling thread, in the walk's order.
    void Run(const std::string& folder, const Filters& filters = {}, const JunkListener& onJunk = nullptr);

    // Stops the walk at the next entry of each folder being listed, and the list at its next
    // line. Touches nothing but a lock-free flag, so a signal handler may call it.
    void RequestStop() { m_bStop.store(true); }
    bool StopRequested() const { return m_bStop.load(); }
    std::atomic<bool>& StopFlag() { return m_bStop; }

    // What was listed: with a stop, only the lines heard before it.
    const std::vector<JunkFile>& JunkFiles() const { return m_junkFiles; }
    uint32_t JunkCount() const { return m_junkCount; }
    uint32_t JunkKB() const { return m_junkKB; }
    uint64_t JunkBytes() const { return m_junkBytes; }
    // Junk files of the listed folders kept because they changed too recently.
    uint64_t TooRecentCount() const { return m_tooRecentCount; }
    uint64_t TooRecentBytes() const { return m_tooRecentBytes; }
    // The folders below the scanned one that could not be opened or listed, in the walk's order.
    const std::vector<std::string>& UnreadableFolders() const { return m_unreadableFolders; }

    // Readable from any thread while the walk runs.
    uint32_t ScannedKB() const;
    uint64_t FilesListed() const { return m_nFiles.load(std::memory_order_relaxed); }
    // The folder a listing was last opened for, for the progress line.
    std::string CurrentFolder() const;

    // The engine's summary sentence for what was listed (GBK).
    std::string SummaryText() const;

private:
    struct Folder;

    void Work();
    void ListFolder(Folder& folder);
    void AdvanceLocked();
    void ListReady(const JunkListener& onJunk);
    bool IsExcluded(const std::string& folder) const;
    bool ShouldEnd() const;

    WalkFolderOpener& m_opener;
    LeadBytePredicate m_isLeadByte;
    unsigned m_threads;
    char m_separator;
    Filters m_filters;
    std::unordered_set<std::string> m_excludedKeys;

    std::atomic<bool> m_bStop{false};
    std::atomic<uint64_t> m_nFiles{0};
    std::atomic<uint64_t> m_nScannedKB{0};

    mutable std::mutex m_lock;
    // The folders waiting for a thread, last found first; how many are being listed, and how
    // many threads wait for one.
    std::vector<Folder*> m_pending;
    unsigned m_nListing = 0;
    unsigned m_nIdle = 0;
    std::condition_variable m_workToDo;
    // The folders whose junk is not handed over yet, next one last, and the junk handed over.
    std::vector<std::unique_ptr<Folder>> m_order;
    std::vector<JunkFile> m_ready;
    std::condition_variable m_listReady;
    std::string m_currentFolder;
    uint64_t m_tooRecentCount = 0;
    uint64_t m_tooRecentBytes = 0;
    std::vector<std::string> m_unreadableFolders;

    // Only on the thread that runs the walk.
    std::vector<JunkFile> m_junkFiles;
    uint32_t m_junkCount = 0;
    uint32_t m_junkKB = 0;
    uint64_t m_junkBytes = 0;
};
