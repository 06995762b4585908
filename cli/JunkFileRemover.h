#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cli/JunkFile.h"
#include "engine/DeleteOutcome.h"

// Deletes the junk files one walk listed, or moves them to the desktop's Trash (the Recycle Bin
// on Windows), and says why when it cannot. A file goes only while the folders from the scanned
// one down to it, and the file itself, are still what the walk listed; otherwise it stays
// (Changed). A read-only file is not made writable first: it stays, intact, and is reported,
// whichever way it was to go. Files are best handed over in the walk's order, which lets the
// folders opened for one file serve the next.
class JunkFileRemover {
public:
    using Result = DeleteOutcome;

    // folder: the folder the walk was given. newestModified: with an age guard, a file modified
    // after this time (seconds since 1970) stays.
    explicit JunkFileRemover(std::string folder, std::optional<int64_t> newestModified = std::nullopt);
    ~JunkFileRemover();
    JunkFileRemover(const JunkFileRemover&) = delete;
    JunkFileRemover& operator=(const JunkFileRemover&) = delete;

    // True when path names a file by an absolute path of this platform, the only form the walk
    // lists; nothing else is ever handed to the system's delete call.
    static bool IsDeletablePath(const std::string& path);

    Result Remove(const JunkFile& junk);
    // Never deletes instead: a file that cannot go to the Trash stays (NoTrash).
    Result Trash(const JunkFile& junk);

private:
    // What the platform keeps from one file to the next.
    struct Held;

    const std::string m_folder;
    const std::optional<int64_t> m_newestModified;
    std::unique_ptr<Held> m_held;
};

// A fixed English key for JSON readers; the reason in words is DeleteOutcomeReason.
const char* ResultKey(JunkFileRemover::Result result);
