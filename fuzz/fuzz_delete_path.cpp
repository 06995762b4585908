// The delete commands' path test against an independent reading of the text as characters,
// and the commands themselves: only a line that is an absolute path ever reaches the deleter, and
// a line stays unless its file went or it is a report line.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/AbsolutePath.h"
#include "engine/CleanCommands.h"
#include "engine/CleanOption.h"
#include "engine/tests/FakeResultList.h"

namespace {

bool IsLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The text as characters of code page 936 (one or two bytes each).
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            chars.push_back(text.substr(i, 2));
            ++i;
        } else {
            chars.push_back(text.substr(i, 1));
        }
    }
    return chars;
}

bool ReferenceIsAbsolute(const std::string& text) {
    if (text.find('\0') != std::string::npos) return false;
    const auto c = Characters(text);
    for (const std::string& ch : c) {
        if (ch == "?" || ch == "*" || ch == "<" || ch == ">" || ch == "\"") return false;
    }
    auto letter = [](const std::string& s) {
        return s.size() == 1 && ((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z'));
    };
    if (c.size() > 3 && letter(c[0]) && c[1] == ":" && c[2] == "\\") return true;
    if (c.size() < 2 || c[0] != "\\" || c[1] != "\\") return false;
    // \\ server \ share \ rest, server and share and rest not empty.
    std::vector<std::string> parts(1);
    size_t i = 2;
    for (; i < c.size() && parts.size() < 3; ++i) {
        if (c[i] == "\\")
            parts.emplace_back();
        else
            parts.back() += c[i];
    }
    if (parts.size() < 3 || i >= c.size()) return false;
    return !parts[0].empty() && parts[0] != "." && parts[0] != "?" && !parts[1].empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool absolute = IsAbsoluteFilePath(text, IsLead);
    if (absolute != ReferenceIsAbsolute(text)) std::abort();
    // A relative prefix never makes a path; a longer name keeps one.
    if (IsAbsoluteFilePath("." + text, IsLead)) std::abort();
    if (absolute && !IsAbsoluteFilePath(text + "x", IsLead)) std::abort();

    bool report = false;
    for (int i = 0; i < kCleanOptionCount; ++i) {
        const char* line = CleanOptionReportLine(static_cast<CleanOption>(i));
        report = report || (line != nullptr && text == line);
    }
    for (int command = 0; command < 2; ++command) {
        FakeResultListWindow window({text});
        window.Select(text);
        RecordingDeleter deleter;
        if (command == 0)
            OnDelete(window, deleter, IsLead);
        else
            OnDeleteAll(window, deleter, IsLead);
        if (window.lines.empty() != (absolute || report)) std::abort();
        const std::vector<std::string> expected =
            absolute ? std::vector<std::string>{text} : std::vector<std::string>{};
        if (deleter.deleted != expected) std::abort();
    }
    return 0;
}
