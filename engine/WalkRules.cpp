#include "engine/WalkRules.h"

bool IsWalkedFolder(const FolderEntry& entry) {
    return entry.isDirectory && !entry.isLink && !entry.name.empty() && entry.name != "..." &&
           entry.name != ".." && entry.name != ".";
}

std::string_view JunkExtensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

std::string_view PatternExtensionOf(std::string_view pattern) {
    return pattern.size() > 2 ? pattern.substr(2) : std::string_view();
}

bool IsJunkName(std::string_view name) {
    const std::string_view extension = JunkExtensionOf(name);
    for (const char* pattern : kJunkPatterns) {
        if (extension == PatternExtensionOf(pattern)) return true;
    }
    return false;
}
