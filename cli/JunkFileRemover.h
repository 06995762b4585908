#pragma once

#include <string>

#include "engine/DeleteOutcome.h"

// Deletes one junk file the walk listed, or moves it to the desktop's Trash (the Recycle Bin on
// Windows), and says why when it cannot. A read-only file is not made writable first: it stays,
// intact, and is reported, whichever way it was to go.
class JunkFileRemover {
public:
    using Result = DeleteOutcome;

    // True when path names a file by an absolute path of this platform, the only form the walk
    // lists; nothing else is ever handed to the system's delete call.
    static bool IsDeletablePath(const std::string& path);

    // folder: the one the walk listed path under. On Windows every folder below it on the way must
    // still be a real folder where the walk saw it, or the file stays (Changed).
    static Result Remove(const std::string& folder, const std::string& path);
    // Never deletes instead: a file that cannot go to the Trash stays (NoTrash).
    static Result Trash(const std::string& folder, const std::string& path);
};

// A fixed English key for JSON readers; the reason in words is DeleteOutcomeReason.
const char* ResultKey(JunkFileRemover::Result result);
