#include "engine/AbsolutePath.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Index of the first backslash at or after start that is not the trail byte of a double-byte
// character, or npos.
size_t FindSeparator(const std::string& text, size_t start, const LeadBytePredicate& isLeadByte) {
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] == '\\') return i;
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
    }
    return std::string::npos;
}

// True when a byte that stands for itself (not the trail byte of a double-byte character) is one
// of the system's name-matching wildcards. No file name holds one; a name the ANSI code page
// cannot spell is listed with '?' in place of its characters, and handing such a line on could
// delete whatever else matches it.
bool HoldsWildcard(const std::string& text, const LeadBytePredicate& isLeadByte) {
    for (size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
            case '?':
            case '*':
            case '<':
            case '>':
            case '"':
                return true;
            default:
                break;
        }
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
    }
    return false;
}

}  // namespace

bool IsAbsoluteFilePath(const std::string& text, const LeadBytePredicate& isLeadByte) {
    // The system would act on the text up to its first NUL, which is not the line shown.
    if (text.find('\0') != std::string::npos) return false;
    if (HoldsWildcard(text, isLeadByte)) return false;

    if (text.size() > 3 && IsAsciiLetter(text[0]) && text[1] == ':' && text[2] == '\\') return true;

    if (text.size() < 2 || text[0] != '\\' || text[1] != '\\') return false;
    const size_t serverEnd = FindSeparator(text, 2, isLeadByte);
    if (serverEnd == std::string::npos || serverEnd == 2) return false;
    const std::string server = text.substr(2, serverEnd - 2);
    if (server == ".") return false;
    const size_t shareEnd = FindSeparator(text, serverEnd + 1, isLeadByte);
    if (shareEnd == std::string::npos || shareEnd == serverEnd + 1) return false;
    return shareEnd + 1 < text.size();
}
