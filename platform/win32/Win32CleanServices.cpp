#include "platform/win32/Win32CleanServices.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <urlhist.h>

#include <cstring>

namespace {

// The history object and the interface asked of it.
const CLSID kClsidUrlHistory = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
const IID kIidUrlHistoryStg2 = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

const char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

// Owns one FindFirstFileA listing.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : m_h(h) {}
    ~FindHandle() {
        if (Valid()) FindClose(m_h);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

}  // namespace

Win32CleanServices::Win32CleanServices(HWND owner) : m_owner(owner) {}

Win32CleanServices::~Win32CleanServices() { CloseCacheEnumeration(); }

void Win32CleanServices::EmptyRecycleBin() { SHEmptyRecycleBinA(m_owner, nullptr, SHERB_NOCONFIRMATION); }

void Win32CleanServices::ClearClipboard() {
    // Held by the clean thread, with no window; while another program holds it open nothing is done
    // (closing it then would close nothing of ours).
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

INTERNET_CACHE_ENTRY_INFOA* Win32CleanServices::PrepareCacheEntry() {
    std::memset(m_cacheEntry, 0, sizeof m_cacheEntry);
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(m_cacheEntry);
    entry->dwStructSize = kCacheEntrySize;
    return entry;
}

std::string Win32CleanServices::CacheEntrySource() const {
    const auto* entry = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(m_cacheEntry);
    return entry->lpszSourceUrlName ? std::string(entry->lpszSourceUrlName) : std::string();
}

bool Win32CleanServices::FirstCacheEntry(std::string& sourceUrl) {
    CloseCacheEnumeration();
    DWORD size = kCacheEntrySize;
    HANDLE h = FindFirstUrlCacheEntryA(nullptr, PrepareCacheEntry(), &size);
    if (!h) return false;
    m_hCacheEnum = h;
    sourceUrl = CacheEntrySource();
    return true;
}

bool Win32CleanServices::NextCacheEntry(std::string& sourceUrl) {
    if (!m_hCacheEnum) return false;
    DWORD size = kCacheEntrySize;
    if (!FindNextUrlCacheEntryA(m_hCacheEnum, PrepareCacheEntry(), &size)) return false;
    sourceUrl = CacheEntrySource();
    return true;
}

void Win32CleanServices::DeleteCacheEntry(const std::string& sourceUrl) {
    if (!sourceUrl.empty()) DeleteUrlCacheEntryA(sourceUrl.c_str());
}

void Win32CleanServices::CloseCacheEnumeration() {
    if (!m_hCacheEnum) return;
    FindCloseUrlCache(m_hCacheEnum);
    m_hCacheEnum = nullptr;
}

void Win32CleanServices::ClearUrlHistory() {
    const HRESULT init = CoInitialize(nullptr);
    IUrlHistoryStg2* history = nullptr;
    if (SUCCEEDED(CoCreateInstance(kClsidUrlHistory, nullptr, CLSCTX_INPROC_SERVER, kIidUrlHistoryStg2,
                                   reinterpret_cast<void**>(&history))) &&
        history) {
        // Whatever it answers (Wine's says it is not implemented), the step is done.
        history->ClearHistory();
        history->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
}

bool Win32CleanServices::GetCookiesFolder(std::string& folder) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_COOKIES, FALSE)) return false;
    folder = path;
    return true;
}

bool Win32CleanServices::DeleteCookiesTopLevel(const std::string& folder) {
    WIN32_FIND_DATAA found = {};
    FindHandle listing(FindFirstFileA((folder + "\\*.*").c_str(), &found));
    if (!listing.Valid()) return false;
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
        const std::string path = folder + "\\" + found.cFileName;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
        // RemoveDirectoryA takes only an empty folder: sub-folders are never entered.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveDirectoryA(path.c_str());
        else
            DeleteFileA(path.c_str());
    } while (FindNextFileA(listing.Get(), &found));
    return true;
}

void Win32CleanServices::DeleteTypedUrls() { RegDeleteKeyA(HKEY_CURRENT_USER, kTypedUrlsKey); }
