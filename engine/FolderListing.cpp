#include "engine/FolderListing.h"

#include <utility>

bool FolderListing::Next(FolderEntry& entry) {
    if (m_nNext < m_read.size()) {
        entry = std::move(m_read[m_nNext++]);
        return true;
    }
    if (m_live && m_live->Next(entry)) return true;
    m_live.reset();
    return false;
}
