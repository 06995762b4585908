#include "engine/FolderSizeWalk.h"

#include <utility>

#include "engine/PathText.h"
#include "engine/SizeKB.h"
#include "engine/WalkRules.h"

FolderSizeWalk::FolderSizeWalk(FolderEnumerator& enumerator, LeadBytePredicate isLeadByte)
    : m_enumerator(enumerator), m_isLeadByte(std::move(isLeadByte)), m_separator(enumerator.Separator()) {}

bool FolderSizeWalk::AddFolderSizeKB(const std::string& folder, uint32_t& total,
                                     const AbandonCheck& abandoned) {
    const std::string pattern = SearchPatternOf(folder, m_separator, m_isLeadByte);
    if (!FitsMaxPath(pattern)) return true;
    std::unique_ptr<FolderEnumeration> listing = m_enumerator.Open(pattern);
    if (!listing) return true;
    FolderEntry entry;
    while (listing->Next(entry)) {
        if (abandoned && abandoned()) return false;
        if (entry.isDirectory) {
            if (!IsWalkedFolder(entry)) continue;
            const std::string child = PathJoin(folder, entry.name, m_separator, m_isLeadByte);
            if (FitsMaxPath(child) && !AddFolderSizeKB(child, total, abandoned)) return false;
            continue;
        }
        if (FitsMaxPath(PathJoin(folder, entry.name, m_separator, m_isLeadByte)))
            total = SaturatingAdd(total, SizeInKB(entry.size));
    }
    return true;
}
