#pragma once

// What became of one file a delete, or a move to the Recycle Bin, was asked for.
enum class DeleteOutcome {
    Deleted,
    Trashed,
    Gone,
    ReadOnly,
    InUse,
    AccessDenied,
    NotAFile,
    NoTrash,
    // The folder chain from the scanned folder down, or the file itself, is no longer what the
    // walk listed (a folder swapped for a link, the file replaced): it is kept, never followed.
    Changed,
    Failed,
};

// True when nothing is left at the path: deleted or moved away now, or no longer there.
bool LeavesNoFile(DeleteOutcome outcome);

// The reason in a few words: "文件只读", "文件正在使用", ...; "无法删除" when none is known.
const char* DeleteOutcomeReason(DeleteOutcome outcome);
