#include "cli/JunkName.h"

#include <array>

bool IsJunkName(std::string_view name)
{
    // The extensions of the patterns "*.tmp" ... "*.??~" that the window's matcher tries.
    static constexpr std::array<std::string_view, 6> kJunkExtensions = {"tmp", "syd", "old", "gid", "_mp", "??~"};
    const std::size_t dot = name.rfind('.');
    const std::string_view extension = dot == std::string_view::npos ? name : name.substr(dot + 1);
    for (const std::string_view junk : kJunkExtensions)
        if (extension == junk)
            return true;
    return false;
}
