#pragma once

#include <string>

// Deletes one junk file the walk listed, or moves it to the desktop's Trash (the Recycle Bin on
// Windows), and says why when it cannot. A read-only file is not made writable first: it stays,
// intact, and is reported, whichever way it was to go.
class JunkFileRemover {
public:
    enum class Result { Deleted, Trashed, ReadOnly, InUse, Gone, AccessDenied, NotAFile, NoTrash, Failed };

    // True when path names a file by an absolute path of this platform, the only form the walk
    // lists; nothing else is ever handed to the system's delete call.
    static bool IsDeletablePath(const std::string& path);

    static Result Remove(const std::string& path);
    // Never deletes instead: a file that cannot go to the Trash stays (NoTrash).
    static Result Trash(const std::string& path);
};

// "只读", "正在使用", ... (GBK), and a fixed English key for JSON readers.
const char* ResultText(JunkFileRemover::Result result);
const char* ResultKey(JunkFileRemover::Result result);
