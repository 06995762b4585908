#include "picker/NoCaseCompare.h"

#include <cstddef>

namespace {

// The next character's bytes folded into one comparable value; advances i.
unsigned NextChar(const std::string& s, size_t& i, const LeadBytePredicate& isLeadByte) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (isLeadByte && isLeadByte(lead) && i < s.size()) {
        const auto trail = static_cast<unsigned char>(s[i++]);
        return (static_cast<unsigned>(lead) << 8) | trail;
    }
    if (lead >= 'A' && lead <= 'Z') return lead + ('a' - 'A');
    return lead;
}

}  // namespace

int CompareNoCase(const std::string& a, const std::string& b, const LeadBytePredicate& isLeadByte) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned ca = NextChar(a, i, isLeadByte);
        const unsigned cb = NextChar(b, j, isLeadByte);
        // A double-byte value compares by its lead byte first, as a byte-wise comparison would.
        const unsigned ka = ca > 0xFF ? ca : ca << 8;
        const unsigned kb = cb > 0xFF ? cb : cb << 8;
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}
