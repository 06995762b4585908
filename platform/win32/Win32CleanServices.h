#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <string>

#include "engine/CleanServices.h"

// The clean options on the real Windows facilities. Used by the clean thread only.
class Win32CleanServices : public CleanServices {
public:
    // owner: the window the shell may show its Recycle Bin progress for.
    explicit Win32CleanServices(HWND owner);
    ~Win32CleanServices() override;
    Win32CleanServices(const Win32CleanServices&) = delete;
    Win32CleanServices& operator=(const Win32CleanServices&) = delete;

    void EmptyRecycleBin() override;
    void ClearClipboard() override;
    bool FirstCacheEntry(std::string& sourceUrl) override;
    bool NextCacheEntry(std::string& sourceUrl) override;
    void DeleteCacheEntry(const std::string& sourceUrl) override;
    void CloseCacheEnumeration() override;
    void ClearUrlHistory() override;
    bool GetCookiesFolder(std::string& folder) override;
    bool DeleteCookiesTopLevel(const std::string& folder) override;
    void DeleteTypedUrls() override;

private:
    static constexpr DWORD kCacheEntrySize = 4096;

    // A fresh entry record of 4,096 bytes for one cache request.
    INTERNET_CACHE_ENTRY_INFOA* PrepareCacheEntry();
    std::string CacheEntrySource() const;

    HWND m_owner;
    HANDLE m_hCacheEnum = nullptr;
    // 8-byte aligned storage for the record and the strings the cache writes behind it.
    uint64_t m_cacheEntry[kCacheEntrySize / sizeof(uint64_t)] = {};
};
