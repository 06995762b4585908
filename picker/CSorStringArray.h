#pragma once

#include "engine/LeadBytePredicate.h"
#include "framework/CStringArray.h"

// The string array the folder tree orders its sub-folder paths with: a stable bubble sort
// without regard to letter case.
class CSorStringArray : public CStringArray {
public:
    explicit CSorStringArray(LeadBytePredicate isLeadByte);

    // Whole passes over the array until one exchanges nothing.
    void SortNoCase();
    // Exchanges elements i and i + 1 when the first compares greater; equal ones stay.
    bool SwapIfGreater(int i);

private:
    LeadBytePredicate m_isLeadByte;
};
