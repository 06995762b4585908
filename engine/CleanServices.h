#pragma once

#include <string>

// The system facilities the clean options act on. Failures are not reported back except where
// the worker's course depends on them.
class CleanServices {
public:
    virtual ~CleanServices() = default;

    // Empties the Recycle Bin of every drive, without asking.
    virtual void EmptyRecycleBin() = 0;
    virtual void ClearClipboard() = 0;

    // Internet cache. The services hold at most one enumeration; each request uses an entry
    // record of 4,096 bytes, so an entry that needs more is not yielded.
    // Yields the first entry's source address and opens the enumeration; false when there is none.
    virtual bool FirstCacheEntry(std::string& sourceUrl) = 0;
    // Yields the next entry of the open enumeration; false when there is none.
    virtual bool NextCacheEntry(std::string& sourceUrl) = 0;
    virtual void DeleteCacheEntry(const std::string& sourceUrl) = 0;
    virtual void CloseCacheEnumeration() = 0;

    virtual void ClearUrlHistory() = 0;

    // The cookies folder's path; false when the system cannot give it.
    virtual bool GetCookiesFolder(std::string& folder) = 0;
    // Deletes the files and empty folders directly inside the folder (read-only ones too) and
    // enters no sub-folder. False when the folder cannot be listed.
    virtual bool DeleteCookiesTopLevel(const std::string& folder) = 0;

    // Deletes the registry list of typed web addresses.
    virtual void DeleteTypedUrls() = 0;
};
