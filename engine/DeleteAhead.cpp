#include "engine/DeleteAhead.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace {

// Below this many paths for each thread, a thread costs more than it saves.
constexpr size_t kFewestForAThread = 32;

std::string_view FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string_view() : std::string_view(path).substr(0, slash);
}

}  // namespace

DeleteAhead::DeleteAhead(FileDeleter& callerDeleter, std::vector<std::unique_ptr<FileDeleter>> helpers)
    : m_callerDeleter(callerDeleter), m_helpers(std::move(helpers)) {}

DeleteAhead::~DeleteAhead() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    for (std::thread& thread : m_threads) thread.join();
}

void DeleteAhead::Expect(const std::vector<std::string>& paths) {
    if (m_bStarted || m_helpers.empty()) return;
    m_bStarted = true;
    const size_t threads = std::min(m_helpers.size() + 1, paths.size() / kFewestForAThread);
    if (threads < 2) return;
    m_paths = paths;
    for (size_t i = m_paths.size(); i-- > 0;) m_index[m_paths[i]] = i;
    // No two deleters work in one folder, where the system lets one removal at a time change it.
    for (size_t i = 0; i < m_paths.size(); ++i)
        if (i == 0 || FolderOf(m_paths[i]) != FolderOf(m_paths[i - 1])) m_runStarts.push_back(i);
    m_runStarts.push_back(m_paths.size());
    m_firstHelperRun = m_runStarts.size() - 1;
    m_returned.assign(m_paths.size(), false);
    m_done.assign(m_paths.size(), 0);
    m_outcomes.assign(m_paths.size(), DeleteOutcome::Failed);
    for (size_t i = 0; i + 1 < threads; ++i) {
        try {
            m_threads.emplace_back(&DeleteAhead::HelperMain, this, std::ref(*m_helpers[i]));
        } catch (const std::system_error&) {
            break;  // the threads there are take what this one would have
        }
    }
}

DeleteOutcome DeleteAhead::Delete(const std::string& path) {
    const auto found = m_index.find(path);
    if (found == m_index.end() || m_returned[found->second]) return m_callerDeleter.Delete(path);
    const size_t index = found->second;
    m_returned[index] = true;
    const size_t run = RunOf(index);
    std::unique_lock<std::mutex> lock(m_mutex);
    if (run < m_firstHelperRun) {
        m_callerRuns = std::max(m_callerRuns, run + 1);
        lock.unlock();
        return m_callerDeleter.Delete(path);
    }
    m_doneChanged.wait(lock, [&] { return m_done[index] != 0; });
    return m_outcomes[index];
}

size_t DeleteAhead::RunOf(size_t index) const {
    return static_cast<size_t>(std::upper_bound(m_runStarts.begin(), m_runStarts.end(), index) -
                               m_runStarts.begin()) -
           1;
}

void DeleteAhead::HelperMain(FileDeleter& deleter) {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_bStop && m_firstHelperRun > m_callerRuns) {
        const size_t run = --m_firstHelperRun;
        for (size_t i = m_runStarts[run]; i < m_runStarts[run + 1] && !m_bStop; ++i) {
            lock.unlock();
            const DeleteOutcome outcome = deleter.Delete(m_paths[i]);
            lock.lock();
            m_outcomes[i] = outcome;
            m_done[i] = 1;
            m_doneChanged.notify_all();
        }
    }
}
