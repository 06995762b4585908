#include "picker/CSorStringArray.h"

#include <utility>

#include "picker/NoCaseCompare.h"

CSorStringArray::CSorStringArray(LeadBytePredicate isLeadByte) : m_isLeadByte(std::move(isLeadByte)) {}

void CSorStringArray::SortNoCase() {
    bool bSwapped = true;
    while (bSwapped) {
        bSwapped = false;
        for (int i = 0; i + 1 < GetSize(); ++i) {
            if (SwapIfGreater(i)) bSwapped = true;
        }
    }
}

bool CSorStringArray::SwapIfGreater(int i) {
    if (CompareNoCase(GetAt(i), GetAt(i + 1), m_isLeadByte) <= 0) return false;
    std::swap(ElementAt(i), ElementAt(i + 1));
    return true;
}
