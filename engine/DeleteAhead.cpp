#include "engine/DeleteAhead.h"

#include <algorithm>
#include <system_error>

namespace {

// Below this many paths a part, a thread costs more than it saves.
constexpr size_t kFewestInAPart = 32;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The first index at or after `at` where a new folder begins.
size_t FolderBoundary(const std::vector<std::string>& paths, size_t at) {
    if (at == 0 || at >= paths.size()) return std::min(at, paths.size());
    const std::string folder = FolderOf(paths[at - 1]);
    while (at < paths.size() && FolderOf(paths[at]) == folder) ++at;
    return at;
}

}  // namespace

DeleteAhead::DeleteAhead(FileDeleter& callerDeleter, std::vector<std::unique_ptr<FileDeleter>> helpers)
    : m_callerDeleter(callerDeleter) {
    m_helpers.resize(helpers.size());
    for (size_t i = 0; i < helpers.size(); ++i) m_helpers[i].deleter = std::move(helpers[i]);
}

DeleteAhead::~DeleteAhead() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    for (Helper& helper : m_helpers)
        if (helper.thread.joinable()) helper.thread.join();
}

void DeleteAhead::Expect(const std::vector<std::string>& paths) {
    if (m_bStarted || m_helpers.empty()) return;
    m_bStarted = true;
    const size_t parts = std::min(m_helpers.size() + 1, paths.size() / kFewestInAPart);
    if (parts < 2) return;
    // No two deleters work in one folder, where the system lets one removal at a time change it.
    const size_t first = FolderBoundary(paths, paths.size() / parts);
    m_ahead.assign(paths.begin() + static_cast<std::ptrdiff_t>(first), paths.end());
    for (size_t i = m_ahead.size(); i-- > 0;) m_aheadIndex[m_ahead[i]] = i;
    m_returned.assign(m_ahead.size(), false);
    m_outcomes.assign(m_ahead.size(), DeleteOutcome::Failed);
    for (size_t part = 1; part < parts; ++part) {
        Helper& helper = m_helpers[part - 1];
        helper.begin = FolderBoundary(paths, paths.size() * part / parts) - first;
        helper.end = std::max(helper.begin, FolderBoundary(paths, paths.size() * (part + 1) / parts) - first);
        helper.nDone = helper.begin;
    }
    for (size_t part = 1; part < parts; ++part) {
        Helper& helper = m_helpers[part - 1];
        try {
            helper.thread = std::thread(&DeleteAhead::HelperMain, this, std::ref(helper));
        } catch (const std::system_error&) {
            // No thread to be had: the caller's deleter takes this part too.
            for (size_t i = helper.begin; i < helper.end; ++i) m_aheadIndex.erase(m_ahead[i]);
        }
    }
}

DeleteOutcome DeleteAhead::Delete(const std::string& path) {
    const auto found = m_aheadIndex.find(path);
    if (found == m_aheadIndex.end() || m_returned[found->second]) return m_callerDeleter.Delete(path);
    const size_t index = found->second;
    m_returned[index] = true;
    const Helper& helper = *std::find_if(m_helpers.begin(), m_helpers.end(), [index](const Helper& h) {
        return index >= h.begin && index < h.end;
    });
    std::unique_lock<std::mutex> lock(m_mutex);
    m_doneChanged.wait(lock, [&] { return helper.nDone > index; });
    return m_outcomes[index];
}

void DeleteAhead::HelperMain(Helper& helper) {
    for (size_t i = helper.begin; i < helper.end; ++i) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bStop) return;
        }
        const DeleteOutcome outcome = helper.deleter->Delete(m_ahead[i]);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_outcomes[i] = outcome;
            helper.nDone = i + 1;
        }
        m_doneChanged.notify_all();
    }
}
