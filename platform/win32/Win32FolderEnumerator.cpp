#include "platform/win32/Win32FolderEnumerator.h"

#include <windows.h>

#include <string_view>

#include "engine/ReparseTag.h"

namespace {

void ToEntry(const WIN32_FIND_DATAA& data, FolderEntry& entry) {
    entry.name = data.cFileName;
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // dwReserved0 holds the reparse tag of an entry that carries one.
    entry.isLink =
        (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsLinkReparseTag(data.dwReserved0);
    entry.isReadOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A folder whose name ends in a dot (made through "\\?\" or by another system) cannot be reached
// by that name: the path functions drop the dot, so a walk into "t." would list "t" a second time,
// under a name that is not its own. "." and ".." stay.
bool IsUnreachableFolder(const WIN32_FIND_DATAA& data) {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
    const std::string_view name = data.cFileName;
    if (name == "." || name == ".." || name.empty()) return false;
    return name.back() == '.';
}

class Win32FolderEnumeration : public FolderEnumeration {
public:
    Win32FolderEnumeration(HANDLE find, const WIN32_FIND_DATAA& first) : m_find(find), m_first(first) {}
    ~Win32FolderEnumeration() override { FindClose(m_find); }
    Win32FolderEnumeration(const Win32FolderEnumeration&) = delete;
    Win32FolderEnumeration& operator=(const Win32FolderEnumeration&) = delete;

    bool Next(FolderEntry& entry) override {
        if (m_bFirstPending) {
            m_bFirstPending = false;
            if (!IsUnreachableFolder(m_first)) {
                ToEntry(m_first, entry);
                return true;
            }
        }
        WIN32_FIND_DATAA data{};
        do {
            if (!FindNextFileA(m_find, &data)) return false;
        } while (IsUnreachableFolder(data));
        ToEntry(data, entry);
        return true;
    }

private:
    HANDLE m_find;
    WIN32_FIND_DATAA m_first;
    bool m_bFirstPending = true;
};

}  // namespace

std::unique_ptr<FolderEnumeration> Win32FolderEnumerator::Open(const std::string& searchPattern) {
    WIN32_FIND_DATAA first{};
    // The basic information level skips the short names, and the large fetch asks for bigger
    // batches; both yield the same entries. Systems before Windows 7 refuse them.
    HANDLE find = FindFirstFileExA(searchPattern.c_str(), FindExInfoBasic, &first, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        first = WIN32_FIND_DATAA{};
        find = FindFirstFileA(searchPattern.c_str(), &first);
    }
    if (find == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32FolderEnumeration>(find, first);
}
