#include "engine/PathText.h"

std::string PathJoin(const std::string& folder, const std::string& name, char separator)
{
    std::string joined;
    joined.reserve(folder.size() + 1 + name.size());
    joined = folder;
    if (joined.empty() || joined.back() != separator)
        joined += separator;
    joined += name;
    return joined;
}

std::string SearchPatternOf(const std::string& folder, char separator)
{
    return PathJoin(folder, "*.*", separator);
}

std::size_t FileNameStart(const std::string& path, const LeadBytePredicate& isLeadByte)
{
    std::size_t lastBackslash = std::string::npos;
    std::size_t lastSlash = std::string::npos;
    // Forward only: a trail byte can only be told from a lead byte by reading from the start.
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x80 && isLeadByte && isLeadByte(byte)) {
            ++i; // the trail byte belongs to this character, whatever its value
            continue;
        }
        if (byte == '\\')
            lastBackslash = i;
        else if (byte == '/')
            lastSlash = i;
    }
    if (lastBackslash != std::string::npos)
        return lastBackslash + 1;
    if (lastSlash != std::string::npos)
        return lastSlash + 1;
    return 0;
}
