#include "engine/PathText.h"

bool EndsInTrailByte(const std::string& text, const LeadBytePredicate& isLeadByte) {
    if (!isLeadByte || text.size() < 2) return false;
    std::size_t i = 0;
    while (i + 1 < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        i += byte >= 0x80 && isLeadByte(byte) ? 2 : 1;
    }
    return i == text.size();  // the last pair swallowed the last byte
}

std::string PathJoin(const std::string& folder, const std::string& name, char separator,
                     const LeadBytePredicate& isLeadByte) {
    std::string joined;
    joined.reserve(folder.size() + 1 + name.size());
    joined = folder;
    if (joined.empty() || joined.back() != separator || EndsInTrailByte(joined, isLeadByte))
        joined += separator;
    joined += name;
    return joined;
}

std::string SearchPatternOf(const std::string& folder, char separator, const LeadBytePredicate& isLeadByte) {
    return PathJoin(folder, "*.*", separator, isLeadByte);
}

std::size_t FileNameStart(const std::string& path, const LeadBytePredicate& isLeadByte) {
    std::size_t lastBackslash = std::string::npos;
    std::size_t lastSlash = std::string::npos;
    // Forward only: a trail byte can only be told from a lead byte by reading from the start.
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x80 && isLeadByte && isLeadByte(byte)) {
            ++i;  // the trail byte belongs to this character, whatever its value
            continue;
        }
        if (byte == '\\')
            lastBackslash = i;
        else if (byte == '/')
            lastSlash = i;
    }
    if (lastBackslash != std::string::npos) return lastBackslash + 1;
    if (lastSlash != std::string::npos) return lastSlash + 1;
    return 0;
}
