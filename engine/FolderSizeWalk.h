#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/FolderEnumerator.h"
#include "engine/LeadBytePredicate.h"

// The size of a folder tree as the progress bar's basis counts it: every file below the folder in
// KB, walked as the scan walks (the same joins, skipped entries and path limit), showing nothing.
class FolderSizeWalk {
public:
    // Asked between entries; once it says so, the walk gives up.
    using AbandonCheck = std::function<bool()>;

    FolderSizeWalk(FolderEnumerator& enumerator, LeadBytePredicate isLeadByte);

    // Adds the size in KB of every file below folder to total, which stops at its maximum and is
    // never reset. False when `abandoned` ended the walk early; total then holds only part.
    bool AddFolderSizeKB(const std::string& folder, uint32_t& total, const AbandonCheck& abandoned = nullptr);

private:
    FolderEnumerator& m_enumerator;
    LeadBytePredicate m_isLeadByte;
    char m_separator;
};
