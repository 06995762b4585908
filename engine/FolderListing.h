#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/FolderEnumerator.h"

// A folder's entries as the walk reads them: straight from the file system, or from what was read
// ahead. Closes its listing when destroyed.
class FolderListing {
public:
    // False when the folder is missing, is no folder, or cannot be read.
    bool IsOpen() const { return m_bOpen; }
    // The next entry, the first one included; false when there is none left.
    bool Next(FolderEntry& entry);
    // The entries read ahead that Next has not yielded yet.
    const FolderEntry* UnreadBegin() const { return m_read.data() + m_nNext; }
    const FolderEntry* UnreadEnd() const { return m_read.data() + m_read.size(); }

private:
    friend class FolderReadAhead;
    bool m_bOpen = false;
    std::unique_ptr<FolderEnumeration> m_live;
    std::vector<FolderEntry> m_read;
    std::size_t m_nNext = 0;
};
