#include "engine/FolderReadAhead.h"

#include <system_error>
#include <utility>

#include "engine/PathText.h"

namespace {

// Enough to keep the helper busy while the walk handles a few folders, few enough that the
// listings waiting to be taken stay small whatever the tree.
constexpr std::size_t kMostAhead = 64;

}  // namespace

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

bool FolderListing::Next(FolderEntry& entry) {
    if (m_nNext < m_read.size()) {
        entry = std::move(m_read[m_nNext++]);
        return true;
    }
    if (m_live && m_live->Next(entry)) return true;
    m_live.reset();
    return false;
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

void FolderReadAhead::EnterLevel(std::vector<std::string> searchPatterns) {
    Level level;
    level.slots.reserve(searchPatterns.size());
    for (std::string& pattern : searchPatterns) {
        level.slots.push_back(std::make_shared<Slot>());
        level.slots.back()->searchPattern = std::move(pattern);
    }
    {
        std::lock_guard lock(m_mutex);
        m_levels.push_back(std::move(level));
    }
    m_changed.notify_all();
}

void FolderReadAhead::LeaveLevel() {
    {
        std::lock_guard lock(m_mutex);
        const Level& level = m_levels.back();
        for (std::size_t i = level.next; i < level.slots.size(); ++i)
            if (level.slots[i]->state != SlotState::Waiting) --m_nAhead;
        m_levels.pop_back();
    }
    m_changed.notify_all();
}

std::shared_ptr<FolderReadAhead::Slot> FolderReadAhead::ClaimEarliest() {
    if (m_nAhead >= kMostAhead || m_stop.load()) return nullptr;
    // The innermost level's folders come first: the walk enters them before its parents' next.
    for (auto level = m_levels.rbegin(); level != m_levels.rend(); ++level) {
        for (std::size_t i = level->next; i < level->slots.size(); ++i) {
            if (level->slots[i]->state != SlotState::Waiting) continue;
            level->slots[i]->state = SlotState::Listing;
            ++m_nAhead;
            return level->slots[i];
        }
    }
    return nullptr;
}

void FolderReadAhead::ListInto(Slot& slot, std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    FolderListing listing = Open(slot.searchPattern);
    ReadRest(listing);
    lock.lock();
    slot.listing = std::move(listing);
    slot.state = SlotState::Listed;
    m_changed.notify_all();
}

void FolderReadAhead::HelperMain() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::shared_ptr<Slot> slot;
        m_changed.wait(lock, [&] { return m_bQuit || (slot = ClaimEarliest()) != nullptr; });
        if (m_bQuit) return;
        ListInto(*slot, lock);
    }
}

FolderListing FolderReadAhead::TakeNext() {
    std::unique_lock lock(m_mutex);
    Level& level = m_levels.back();
    const std::shared_ptr<Slot> slot = level.slots[level.next++];
    for (;;) {
        if (slot->state == SlotState::Waiting) {
            lock.unlock();
            return Open(slot->searchPattern);
        }
        if (slot->state == SlotState::Listed) {
            --m_nAhead;
            m_changed.notify_all();
            return std::move(slot->listing);
        }
        // The helper is listing it: list a later one meanwhile rather than wait.
        if (const std::shared_ptr<Slot> later = ClaimEarliest())
            ListInto(*later, lock);
        else
            m_changed.wait(lock);
    }
}
