#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/FileDeleter.h"

// "全部删除" on several threads: told the sorted paths it is about to be asked for, it cuts them
// into as many parts as it has deleters, at folder boundaries; the caller's deleter does the first
// part on the caller's thread, each helper one later part on a thread of its own. A checked delete
// spends most of its time waiting on the system (under Wine, on its server), so they overlap. Each
// path is tried once, by one of them, and Delete returns what became of it, in the caller's
// order; a path asked for again, or never announced, goes to the caller's deleter.
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
    struct Helper {
        std::unique_ptr<FileDeleter> deleter;
        size_t begin = 0;  // its part of m_ahead
        size_t end = 0;
        size_t nDone = 0;  // how far it has come, under m_mutex
        std::thread thread;
    };
    void HelperMain(Helper& helper);

    FileDeleter& m_callerDeleter;
    std::vector<Helper> m_helpers;
    // Set before the helpers start, read-only afterwards.
    std::vector<std::string> m_ahead;
    std::unordered_map<std::string, size_t> m_aheadIndex;
    std::vector<bool> m_returned;  // the caller's thread alone
    std::mutex m_mutex;
    std::condition_variable m_doneChanged;
    std::vector<DeleteOutcome> m_outcomes;
    bool m_bStop = false;
    bool m_bStarted = false;
};
