#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/FolderEnumerator.h"
#include "engine/FolderListing.h"
#include "engine/PauseGate.h"

// Listing a folder mostly waits on the file system, so a depth-first walk that lists one folder at
// a time leaves a core idle. Told the folders each level of the walk will enter, a helper thread
// lists them in the walk's order, ahead of it; the walk lists a folder itself when the helper has
// not reached it, and while it would wait for the one the helper is listing, lists a later one.
// The walk still handles every folder's entries in the order it would alone. Reading ahead passes
// the pause gate after each entry and ends at the first entry after a stop, which it keeps, so the
// walk sees that entries were left.
class FolderReadAhead {
public:
    // The search patterns of the folders one level will enter, in order, end to end: a level of
    // many folders costs little more than their paths.
    class LevelPlan {
    public:
        void Add(const std::string& searchPattern);
        std::size_t Size() const { return m_ends.size(); }
        std::string At(std::size_t i) const;

    private:
        std::string m_patterns;
        std::vector<std::size_t> m_ends;
    };

    FolderReadAhead(FolderEnumerator& enumerator, PauseGate& gate, const std::atomic<bool>& stop);
    // Stops the helper after its current listing and waits for it.
    ~FolderReadAhead();
    FolderReadAhead(const FolderReadAhead&) = delete;
    FolderReadAhead& operator=(const FolderReadAhead&) = delete;

    // Opens a folder's listing for the walk to read as it goes: its first folder's.
    FolderListing Open(const std::string& searchPattern);
    // Reads the rest of a listing now, so the walk knows the folders it will enter from it.
    void ReadRest(FolderListing& listing);
    // The walk enters a level that holds folders to enter.
    void EnterLevel(LevelPlan plan);
    // The next of the innermost level's folders, listed by whichever thread got to it first.
    FolderListing TakeNext();
    // The walk leaves the innermost level, its folders taken or the walk stopped.
    void LeaveLevel();

private:
    enum class SlotState : uint8_t { Waiting, Listing, Listed };
    struct Level {
        LevelPlan plan;
        std::vector<SlotState> states;
        std::size_t next = 0;
        uint64_t serial = 0;  // names the level to a listing that outlives it at a stop
    };
    struct Claim {
        uint64_t serial;
        std::size_t index;
        std::string searchPattern;
    };

    void HelperMain();
    // The earliest waiting folder in the walk's order, now marked as being listed; none when there
    // is none, the walk is stopped, or enough listings already wait to be taken.
    std::optional<Claim> ClaimEarliest();
    // Reads the claimed folder whole outside the lock and hands the listing over under it.
    void ListInto(const Claim& claim, std::unique_lock<std::mutex>& lock);
    // Hands an unfinished claim back to the walk, when its level is still there.
    void GiveBack(const Claim& claim);
    // The level of that serial, null once the walk has left it.
    Level* FindLevel(uint64_t serial);
    static uint64_t KeyOf(uint64_t serial, std::size_t index) { return (serial << 32) | index; }

    FolderEnumerator& m_enumerator;
    PauseGate& m_gate;
    const std::atomic<bool>& m_stop;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Level> m_levels;
    uint64_t m_nLevelsEntered = 0;
    std::unordered_map<uint64_t, FolderListing> m_listed;  // by KeyOf the level and the folder
    std::size_t m_nAhead = 0;                              // claimed ahead of the walk, not yet taken
    bool m_bQuit = false;
    std::thread m_helper;
};
