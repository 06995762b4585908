#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/FolderEnumerator.h"
#include "engine/PauseGate.h"

// A folder's entries as the walk reads them: straight from the file system, or from what was read
// ahead. Closes its listing when destroyed.
class FolderListing {
public:
    // False when the folder is missing, is no folder, or cannot be read.
    bool IsOpen() const { return m_bOpen; }
    // The next entry, the first one included; false when there is none left.
    bool Next(FolderEntry& entry);
    // The entries read ahead that Next has not yielded yet.
    const FolderEntry* UnreadBegin() const { return m_read.data() + m_nNext; }
    const FolderEntry* UnreadEnd() const { return m_read.data() + m_read.size(); }

private:
    friend class FolderReadAhead;
    bool m_bOpen = false;
    std::unique_ptr<FolderEnumeration> m_live;
    std::vector<FolderEntry> m_read;
    std::size_t m_nNext = 0;
};

// Listing a folder mostly waits on the file system, so a depth-first walk that lists one folder at
// a time leaves a core idle. Told the folders each level of the walk will enter, a helper thread
// lists them in the walk's order, ahead of it; the walk lists a folder itself when the helper has
// not reached it, and while it would wait for the one the helper is listing, lists a later one.
// The walk still handles every folder's entries in the order it would alone. Reading ahead passes
// the pause gate after each entry and ends at the first entry after a stop, which it keeps, so the
// walk sees that entries were left.
class FolderReadAhead {
public:
    FolderReadAhead(FolderEnumerator& enumerator, PauseGate& gate, const std::atomic<bool>& stop);
    // Stops the helper after its current listing and waits for it.
    ~FolderReadAhead();
    FolderReadAhead(const FolderReadAhead&) = delete;
    FolderReadAhead& operator=(const FolderReadAhead&) = delete;

    // Opens a folder's listing for the walk to read as it goes: its first folder's.
    FolderListing Open(const std::string& searchPattern);
    // Reads the rest of a listing now, so the walk knows the folders it will enter from it.
    void ReadRest(FolderListing& listing);
    // The walk enters a level: the search patterns of the folders it will enter from it, in order.
    void EnterLevel(std::vector<std::string> searchPatterns);
    // The next of the innermost level's folders, listed by whichever thread got to it first.
    FolderListing TakeNext();
    // The walk leaves the innermost level, its folders taken or the walk stopped.
    void LeaveLevel();

private:
    enum class SlotState { Waiting, Listing, Listed };
    struct Slot {
        std::string searchPattern;
        SlotState state = SlotState::Waiting;
        FolderListing listing;
    };
    struct Level {
        // Shared with a thread listing one, so a level left at a stop may go while it lists.
        std::vector<std::shared_ptr<Slot>> slots;
        std::size_t next = 0;
    };

    void HelperMain();
    // The earliest waiting folder in the walk's order, now marked as listed by the caller; null
    // when there is none, the walk is stopped, or enough listings already wait to be taken.
    std::shared_ptr<Slot> ClaimEarliest();
    // Reads slot's folder whole outside the lock and hands the listing over under it.
    void ListInto(Slot& slot, std::unique_lock<std::mutex>& lock);

    FolderEnumerator& m_enumerator;
    PauseGate& m_gate;
    const std::atomic<bool>& m_stop;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Level> m_levels;
    std::size_t m_nAhead = 0;  // folders claimed ahead of the walk and not yet taken
    bool m_bQuit = false;
    std::thread m_helper;
};
