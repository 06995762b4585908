#include "cli/JunkFileRemover.h"

const char* ResultKey(JunkFileRemover::Result result) {
    switch (result) {
        case JunkFileRemover::Result::Deleted:
            return "deleted";
        case JunkFileRemover::Result::Trashed:
            return "trashed";
        case JunkFileRemover::Result::ReadOnly:
            return "read-only";
        case JunkFileRemover::Result::InUse:
            return "in-use";
        case JunkFileRemover::Result::Gone:
            return "gone";
        case JunkFileRemover::Result::AccessDenied:
            return "access-denied";
        case JunkFileRemover::Result::NotAFile:
            return "not-a-file";
        case JunkFileRemover::Result::NoTrash:
            return "no-trash";
        case JunkFileRemover::Result::Changed:
            return "changed";
        case JunkFileRemover::Result::Failed:
            break;
    }
    return "failed";
}
