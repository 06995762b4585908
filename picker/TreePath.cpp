#include "picker/TreePath.h"

#include <cstddef>
#include <vector>

namespace TreePath {

namespace {

// Byte offsets of every single-byte backslash, in order.
std::vector<size_t> Backslashes(const std::string& path, const LeadBytePredicate& isLeadByte) {
    std::vector<size_t> offsets;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (isLeadByte && isLeadByte(c) && i + 1 < path.size()) {
            ++i;  // the trail byte belongs to this character
        } else if (c == '\\') {
            offsets.push_back(i);
        }
    }
    return offsets;
}

}  // namespace

std::string WithoutTrailingBackslashes(const std::string& path, const LeadBytePredicate& isLeadByte) {
    std::vector<size_t> offsets = Backslashes(path, isLeadByte);
    size_t end = path.size();
    while (!offsets.empty() && offsets.back() + 1 == end) {
        end = offsets.back();
        offsets.pop_back();
    }
    return path.substr(0, end);
}

std::string LabelFromPath(const std::string& path, const LeadBytePredicate& isLeadByte) {
    std::vector<size_t> offsets = Backslashes(path, isLeadByte);
    std::string trimmed = path;
    if (!offsets.empty() && offsets.back() + 1 == path.size()) {
        trimmed.pop_back();
        offsets.pop_back();
    }
    return offsets.empty() ? trimmed : trimmed.substr(offsets.back() + 1);
}

}  // namespace TreePath
