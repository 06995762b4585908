#include "engine/FolderReadAhead.h"

#include <system_error>
#include <utility>

#include "engine/PathText.h"

namespace {

// Enough to keep the helper busy while the walk handles a few folders, few enough that the
// listings waiting to be taken stay small whatever the tree.
constexpr std::size_t kMostAhead = 64;

}  // namespace

void FolderReadAhead::LevelPlan::Add(const std::string& searchPattern) {
    m_patterns += searchPattern;
    m_ends.push_back(m_patterns.size());
}

std::string FolderReadAhead::LevelPlan::At(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : m_ends[i - 1];
    return m_patterns.substr(begin, m_ends[i] - begin);
}

FolderReadAhead::FolderReadAhead(FolderEnumerator& enumerator, PauseGate& gate, const std::atomic<bool>& stop)
    : m_enumerator(enumerator), m_gate(gate), m_stop(stop) {
    try {
        m_helper = std::thread([this] { HelperMain(); });
    } catch (const std::system_error&) {
        // No helper: the walk lists every folder itself, as it would without one.
    }
}

FolderReadAhead::~FolderReadAhead() {
    {
        std::lock_guard lock(m_mutex);
        m_bQuit = true;
    }
    m_changed.notify_all();
    if (m_helper.joinable()) m_helper.join();
}

FolderListing FolderReadAhead::Open(const std::string& searchPattern) {
    FolderListing listing;
    // A pattern too long for the platform's buffer is a folder that cannot be listed.
    if (FitsMaxPath(searchPattern)) listing.m_live = m_enumerator.Open(searchPattern);
    listing.m_bOpen = listing.m_live != nullptr;
    return listing;
}

void FolderReadAhead::ReadRest(FolderListing& listing) {
    if (!listing.m_live) return;
    FolderEntry entry;
    while (listing.m_live->Next(entry)) {
        listing.m_read.push_back(std::move(entry));
        m_gate.Pass();
        if (m_stop.load()) break;
    }
    listing.m_live.reset();
}

void FolderReadAhead::EnterLevel(LevelPlan plan) {
    {
        std::lock_guard lock(m_mutex);
        Level& level = m_levels.emplace_back();
        level.states.assign(plan.Size(), SlotState::Waiting);
        level.plan = std::move(plan);
        level.serial = ++m_nLevelsEntered;
    }
    m_changed.notify_all();
}

void FolderReadAhead::LeaveLevel() {
    {
        std::lock_guard lock(m_mutex);
        const Level& level = m_levels.back();
        for (std::size_t i = level.next; i < level.states.size(); ++i) {
            if (level.states[i] == SlotState::Waiting) continue;
            m_listed.erase(KeyOf(level.serial, i));
            --m_nAhead;
        }
        m_levels.pop_back();
    }
    m_changed.notify_all();
}

std::optional<FolderReadAhead::Claim> FolderReadAhead::ClaimEarliest() {
    if (m_nAhead >= kMostAhead || m_stop.load()) return std::nullopt;
    // The innermost level's folders come first: the walk enters them before its parents' next.
    for (auto level = m_levels.rbegin(); level != m_levels.rend(); ++level) {
        for (std::size_t i = level->next; i < level->states.size(); ++i) {
            if (level->states[i] != SlotState::Waiting) continue;
            level->states[i] = SlotState::Listing;
            ++m_nAhead;
            return Claim{level->serial, i, level->plan.At(i)};
        }
    }
    return std::nullopt;
}

void FolderReadAhead::ListInto(const Claim& claim, std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    FolderListing listing = Open(claim.searchPattern);
    ReadRest(listing);
    lock.lock();
    // A level the walk has left at a stop takes nothing more.
    if (Level* level = FindLevel(claim.serial)) {
        m_listed.emplace(KeyOf(claim.serial, claim.index), std::move(listing));
        level->states[claim.index] = SlotState::Listed;
    }
    m_changed.notify_all();
}

void FolderReadAhead::HelperMain() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::optional<Claim> claim;
        m_changed.wait(lock, [&] { return m_bQuit || (claim = ClaimEarliest()).has_value(); });
        if (m_bQuit) return;
        try {
            ListInto(*claim, lock);
        } catch (...) {
            // Out of memory, say: the walk lists that folder itself, meets the failure on its own
            // thread and ends as a failed walk does; this thread helps no more.
            if (!lock.owns_lock()) lock.lock();
            GiveBack(*claim);
            return;
        }
    }
}

void FolderReadAhead::GiveBack(const Claim& claim) {
    Level* level = FindLevel(claim.serial);
    if (level != nullptr && level->states[claim.index] == SlotState::Listing) {
        level->states[claim.index] = SlotState::Waiting;
        --m_nAhead;
    }
    m_changed.notify_all();
}

FolderReadAhead::Level* FolderReadAhead::FindLevel(uint64_t serial) {
    for (auto level = m_levels.rbegin(); level != m_levels.rend(); ++level)
        if (level->serial == serial) return &*level;
    return nullptr;
}

FolderListing FolderReadAhead::TakeNext() {
    std::unique_lock lock(m_mutex);
    Level& level = m_levels.back();
    const std::size_t index = level.next++;
    for (;;) {
        if (level.states[index] == SlotState::Waiting) {
            const std::string searchPattern = level.plan.At(index);
            lock.unlock();
            return Open(searchPattern);
        }
        if (level.states[index] == SlotState::Listed) {
            const auto listed = m_listed.find(KeyOf(level.serial, index));
            FolderListing listing = std::move(listed->second);
            m_listed.erase(listed);
            --m_nAhead;
            m_changed.notify_all();
            return listing;
        }
        // The helper is listing it: list a later one meanwhile rather than wait.
        if (const std::optional<Claim> later = ClaimEarliest())
            ListInto(*later, lock);
        else
            m_changed.wait(lock);
    }
}
