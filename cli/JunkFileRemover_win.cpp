#include "cli/JunkFileRemover.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "engine/AbsolutePath.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32FileDeleter.h"

// One deleter for the whole clean: the walk's order lets the folders opened for one file serve the
// next. The walk has already left out files too recent for the age guard.
struct JunkFileRemover::Held {
    explicit Held(const std::string& folder) : deleter(folder) {}
    Win32FileDeleter deleter;
};

JunkFileRemover::JunkFileRemover(std::string folder, std::optional<int64_t> newestModified)
    : m_folder(std::move(folder)),
      m_newestModified(newestModified),
      m_held(std::make_unique<Held>(m_folder)) {}

JunkFileRemover::~JunkFileRemover() = default;

bool JunkFileRemover::IsDeletablePath(const std::string& path) {
    return IsAbsoluteFilePath(path, AnsiLeadBytePredicate());
}

JunkFileRemover::Result JunkFileRemover::Remove(const JunkFile& junk) {
    if (!IsDeletablePath(junk.path)) return Result::Failed;
    return m_held->deleter.Delete(junk.path);
}

// The shell's delete with undo allowed, for one file, with no dialog of its own: no connected
// files (a page's "_files" folder) go with it, and where the file could only be destroyed the
// shell asks first rather than destroying it silently.
JunkFileRemover::Result JunkFileRemover::Trash(const JunkFile& junk) {
    const std::string& path = junk.path;
    if (!IsDeletablePath(path)) return Result::Failed;
    // The shell moves by path: the checked folders stay open, so none can be renamed or replaced
    // by a link until it is done. A read-only file stays, as a delete would leave it.
    if (const auto refusal = m_held->deleter.RefusalToMove(path)) return *refusal;
    const std::string from = path + '\0';  // the list ends with a second NUL
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT |
                       FOF_NO_CONNECTED_ELEMENTS | FOF_WANTNUKEWARNING;
    const int status = SHFileOperationA(&operation);
    if (status == 0 && !operation.fAnyOperationsAborted) return Result::Trashed;
    if (operation.fAnyOperationsAborted) return Result::NoTrash;
    return Win32FileDeleter::ReasonOfRefusal(path, static_cast<DWORD>(status));
}
