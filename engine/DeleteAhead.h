#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/FileDeleter.h"

// "全部删除" on several threads: told the sorted paths it is about to be asked for, it shares them
// out a run of paths in one folder at a time. The caller's deleter takes runs from the front as the
// caller comes to them, on the caller's thread; each helper, on a thread of its own, takes the last
// run nobody has taken, until they meet. So the caller's thread, which also keeps the window
// answering, does less when it is slower, without a share fixed in advance. A checked delete spends
// most of its time waiting on the system (under Wine, on its server), so they overlap. Each path is
// tried once, by one of them, and Delete returns what became of it, in the caller's order; a path
// asked for again, or never announced, goes to the caller's deleter.
class DeleteAhead : public FileDeleter {
public:
    DeleteAhead(FileDeleter& callerDeleter, std::vector<std::unique_ptr<FileDeleter>> helpers);
    // Stops the helpers before their next file and waits for them.
    ~DeleteAhead() override;
    DeleteAhead(const DeleteAhead&) = delete;
    DeleteAhead& operator=(const DeleteAhead&) = delete;

    void Expect(const std::vector<std::string>& paths) override;
    DeleteOutcome Delete(const std::string& path) override;

private:
    void HelperMain(FileDeleter& deleter);
    size_t RunOf(size_t index) const;

    FileDeleter& m_callerDeleter;
    std::vector<std::unique_ptr<FileDeleter>> m_helpers;
    std::vector<std::thread> m_threads;
    // Set before the helpers start, read-only afterwards: the paths, where each first stands, and
    // where each run of paths in one folder begins, the end last.
    std::vector<std::string> m_paths;
    std::unordered_map<std::string, size_t> m_index;
    std::vector<size_t> m_runStarts;
    std::vector<bool> m_returned;  // the caller's thread alone
    std::mutex m_mutex;
    std::condition_variable m_doneChanged;
    // Runs before m_callerRuns are the caller's, runs from m_firstHelperRun on the helpers'.
    size_t m_callerRuns = 0;
    size_t m_firstHelperRun = 0;
    std::vector<char> m_done;
    std::vector<DeleteOutcome> m_outcomes;
    bool m_bStop = false;
    bool m_bStarted = false;
};
