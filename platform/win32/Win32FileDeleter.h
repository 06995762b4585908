#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/FileDeleter.h"
#include "platform/win32/UniqueHandle.h"

// Deletes the files a walk listed below the folder it scanned, through handles. The file is
// opened through whatever its path now leads to, and the system must name it, volume and all, at
// the listed path: a link anywhere on the way (a junction, a symbolic link, a Unix link under
// Wine) shows in that name. Then it is deleted through its handle, so a folder renamed or replaced
// after the check changes nothing of which file goes. A file whose path no longer leads where the
// walk listed it stays (Changed); a read-only one stays as it is.
//
// A move goes by path after the check, so for it every folder from the scanned one down stays
// open without delete sharing until the next call: none of them can be renamed or replaced
// meanwhile. Paths that follow each other keep the folders they share open, so a sorted list
// opens each folder once. A delete holds none: opening and closing a folder costs as much as
// deleting a file.
class Win32FileDeleter : public FileDeleter {
public:
    explicit Win32FileDeleter(std::string scanRoot);

    DeleteOutcome Delete(const std::string& path) override;

    // For a move by path (the shell's Recycle Bin): checks the file as Delete would and keeps its
    // folders open until the next call or the deleter's end. Empty when it may go, else why not.
    std::optional<DeleteOutcome> RefusalToMove(const std::string& path);

    // Why the system refused to delete or move path with this error.
    static DeleteOutcome ReasonOfRefusal(const std::string& path, DWORD error);

private:
    // One checked folder: its name under its parent, its handle, the path it is opened by (long
    // form) and the name the system gives it on its volume.
    struct Folder {
        std::wstring component;
        UniqueHandle handle;
        std::wstring openPath;
        std::wstring systemName;
    };

    enum class FolderHold { None, AllTheWay };
    // Opens the listed file with the given access once its path and the file itself pass,
    // holding the folders on its way or none.
    std::optional<DeleteOutcome> OpenListedFile(const std::string& path, DWORD access, FolderHold hold,
                                                UniqueHandle& file);
    // The names below the scanned folder, or false when path is not below it by plain names.
    bool SplitBelowRoot(const std::string& path, std::vector<std::wstring>& components) const;
    std::optional<DeleteOutcome> ReachFolders(const std::string& path,
                                              const std::vector<std::wstring>& components);
    std::optional<DeleteOutcome> OpenRoot(const std::string& path);
    std::optional<DeleteOutcome> Descend(const std::string& path, const std::wstring& component);
    // Opens folder.openPath and holds it.
    std::optional<DeleteOutcome> OpenFolder(const std::string& path, Folder& folder);
    // Whether the system names the open handle as the relative path below inside folder.
    bool IsNamedInside(HANDLE handle, const Folder& folder, const std::wstring& below);
    bool SystemName(HANDLE handle, std::wstring& name);

    std::string m_root;
    std::vector<Folder> m_folders;
    std::vector<void*> m_nameBuffer;
};
