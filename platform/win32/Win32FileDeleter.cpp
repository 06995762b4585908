#include "platform/win32/Win32FileDeleter.h"

#include <winternl.h>

#include <utility>

#include "engine/PathText.h"
#include "platform/win32/AnsiLeadBytePredicate.h"

namespace {

constexpr DWORD kFolderSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;  // no rename while held
// The system checks sharing only against handles that hold data access: attributes alone would
// let another program rename the folder under the held handle.
constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
constexpr DWORD kFileSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The longest name the system gives, in characters, and the buffer its object name takes, in
// pointer-sized units for the alignment of the string it begins with.
constexpr size_t kNameChars = 32768;
constexpr size_t kNameBufferUnits = (sizeof(UNICODE_STRING) + kNameChars * sizeof(WCHAR)) / sizeof(void*) + 1;
constexpr ULONG kObjectNameInformation = 1;

// The name of an open file or folder with the volume it is on ("\Device\HarddiskVolume3\..." on
// Windows, "\??\C:\..." under Wine, which gives a link's target): a name without the volume
// would pass a link to the same path on another drive.
using QueryObject = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
QueryObject QueryObjectEntry() {
    static const auto entry = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    return entry;
}

bool ToWide(const std::string& ansi, std::wstring& wide) {
    wide.clear();
    if (ansi.empty()) return true;
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(),
                                      static_cast<int>(ansi.size()), nullptr, 0);
    if (n <= 0) return false;
    wide.resize(static_cast<size_t>(n));
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), static_cast<int>(ansi.size()),
                               wide.data(), n) == n;
}

std::wstring Inside(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

// A name the long path form takes as it is: no "." or "..", which it would not resolve, and no
// separator or stream colon.
bool IsPlainName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"/:") == std::wstring::npos;
}

}  // namespace

Win32FileDeleter::Win32FileDeleter(std::string scanRoot) : m_root(std::move(scanRoot)) {}

DeleteOutcome Win32FileDeleter::Delete(const std::string& path) {
    UniqueHandle file;
    if (const auto refusal = OpenListedFile(path, DELETE, FolderHold::None, file)) return *refusal;
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition, sizeof disposition))
        return ReasonOfRefusal(path, GetLastError());
    // Gone as the handle closes.
    return DeleteOutcome::Deleted;
}

std::optional<DeleteOutcome> Win32FileDeleter::RefusalToMove(const std::string& path) {
    UniqueHandle file;
    if (const auto refusal = OpenListedFile(path, FILE_READ_ATTRIBUTES, FolderHold::AllTheWay, file))
        return refusal;
    // A read-only file is not moved either: it stays as it is.
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &basic, sizeof basic))
        return ReasonOfRefusal(path, GetLastError());
    if (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) return DeleteOutcome::ReadOnly;
    return std::nullopt;
}

DeleteOutcome Win32FileDeleter::ReasonOfRefusal(const std::string& path, DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return DeleteOutcome::Gone;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return DeleteOutcome::InUse;
        case ERROR_ACCESS_DENIED: {
            // The system gives one error for a read-only file, a folder and a file the user may not
            // delete; the attributes tell them apart.
            const DWORD attributes = GetFileAttributesA(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) return DeleteOutcome::AccessDenied;
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) return DeleteOutcome::NotAFile;
            return (attributes & FILE_ATTRIBUTE_READONLY) ? DeleteOutcome::ReadOnly
                                                          : DeleteOutcome::AccessDenied;
        }
        default:
            return DeleteOutcome::Failed;
    }
}

std::optional<DeleteOutcome> Win32FileDeleter::OpenListedFile(const std::string& path, DWORD access,
                                                              FolderHold hold, UniqueHandle& file) {
    std::vector<std::wstring> components;
    if (!SplitBelowRoot(path, components)) return DeleteOutcome::Failed;
    if (m_folders.empty()) {
        if (const auto refusal = OpenRoot(path)) return refusal;
    }
    if (hold == FolderHold::AllTheWay) {
        if (const auto refusal = ReachFolders(path, components)) return refusal;
    } else {
        m_folders.resize(1);
    }
    // The file's path below the deepest folder held.
    const Folder& folder = m_folders.back();
    std::wstring below = components[m_folders.size() - 1];
    for (size_t i = m_folders.size(); i < components.size(); ++i) below = Inside(below, components[i]);
    // Opened as a file (a folder is refused), through any link on the way: the name the system
    // then gives it shows where the path led. A read-only file refuses the delete itself.
    const HANDLE handle = CreateFileW(Inside(folder.openPath, below).c_str(), access, kFileSharing, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ReasonOfRefusal(path, GetLastError());
    file.Reset(handle);
    if (!IsNamedInside(handle, folder, below)) return DeleteOutcome::Changed;
    return std::nullopt;
}

bool Win32FileDeleter::SplitBelowRoot(const std::string& path, std::vector<std::wstring>& components) const {
    const std::string prefix = PathJoin(m_root, "", '\\', AnsiLeadBytePredicate());
    if (m_root.empty() || path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0)
        return false;
    std::wstring below;
    if (!ToWide(path.substr(prefix.size()), below)) return false;
    for (size_t start = 0;;) {
        const size_t end = below.find(L'\\', start);
        components.push_back(below.substr(start, end - start));
        if (!IsPlainName(components.back())) return false;
        if (end == std::wstring::npos) return true;
        start = end + 1;
    }
}

std::optional<DeleteOutcome> Win32FileDeleter::ReachFolders(const std::string& path,
                                                            const std::vector<std::wstring>& components) {
    // m_folders[0] is the scanned folder; the file's own folder is components.size() - 1 below it.
    const size_t depth = components.size() - 1;
    size_t shared = 0;
    while (shared < depth && shared + 1 < m_folders.size() &&
           m_folders[shared + 1].component == components[shared])
        ++shared;
    m_folders.erase(m_folders.begin() + static_cast<std::ptrdiff_t>(shared + 1), m_folders.end());
    for (size_t i = shared; i < depth; ++i) {
        if (const auto refusal = Descend(path, components[i])) return refusal;
    }
    return std::nullopt;
}

std::optional<DeleteOutcome> Win32FileDeleter::OpenRoot(const std::string& path) {
    // The scanned folder is taken as the user named it, links and all; what lies below is checked.
    std::wstring root;
    if (!ToWide(m_root, root)) return DeleteOutcome::Failed;
    const HANDLE handle = CreateFileW(root.c_str(), FILE_READ_ATTRIBUTES, kFileSharing, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ReasonOfRefusal(path, GetLastError());
    const UniqueHandle named(handle);
    // The long form ("\\?\C:\...", "\\?\UNC\...") opens paths past 259 characters, and its
    // long names are the ones every file's own name will be given under.
    Folder folder;
    folder.openPath.assign(kNameChars, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(named.Get(), folder.openPath.data(),
                                                   static_cast<DWORD>(folder.openPath.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= folder.openPath.size()) return DeleteOutcome::Failed;
    folder.openPath.resize(length);
    if (const auto refusal = OpenFolder(path, folder)) return refusal;
    if (!SystemName(folder.handle.Get(), folder.systemName)) return DeleteOutcome::Failed;
    m_folders.push_back(std::move(folder));
    return std::nullopt;
}

std::optional<DeleteOutcome> Win32FileDeleter::Descend(const std::string& path,
                                                       const std::wstring& component) {
    Folder folder;
    folder.component = component;
    folder.openPath = Inside(m_folders.back().openPath, component);
    if (const auto refusal = OpenFolder(path, folder)) return refusal;
    folder.systemName = Inside(m_folders.back().systemName, component);
    m_folders.push_back(std::move(folder));
    return std::nullopt;
}

std::optional<DeleteOutcome> Win32FileDeleter::OpenFolder(const std::string& path, Folder& folder) {
    const HANDLE handle = CreateFileW(folder.openPath.c_str(), kFolderAccess, kFolderSharing, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ReasonOfRefusal(path, GetLastError());
    folder.handle.Reset(handle);
    return std::nullopt;
}

bool Win32FileDeleter::IsNamedInside(HANDLE handle, const Folder& folder, const std::wstring& below) {
    std::wstring name;
    if (!SystemName(handle, name)) return false;
    const std::wstring expected = Inside(folder.systemName, below);
    return name.size() == expected.size() &&
           CompareStringOrdinal(name.data(), static_cast<int>(name.size()), expected.data(),
                                static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

bool Win32FileDeleter::SystemName(HANDLE handle, std::wstring& name) {
    const QueryObject query = QueryObjectEntry();
    if (query == nullptr) return false;
    if (m_nameBuffer.empty()) m_nameBuffer.resize(kNameBufferUnits);
    ULONG returned = 0;
    if (query(handle, kObjectNameInformation, m_nameBuffer.data(),
              static_cast<ULONG>(m_nameBuffer.size() * sizeof(void*)), &returned) < 0)
        return false;
    const auto* info = reinterpret_cast<const UNICODE_STRING*>(m_nameBuffer.data());
    name.assign(info->Buffer, info->Length / sizeof(WCHAR));
    return true;
}
