// The matcher and path joining on arbitrary bytes: the walk never builds a path past 259 bytes,
// a joined path's name is the name joined, and IsJunkFile agrees with a plain reading of the
// path as code page 936 characters.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/Cp936LeadByte.h"
#include "engine/FolderSizeWalk.h"
#include "engine/PathText.h"
#include "engine/ScanEngine.h"
#include "engine/tests/FakeFolders.h"

namespace {

// Splits text into characters: a lead byte takes the next byte with it.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = IsCp936LeadByte(byte) && i + 1 < text.size() ? 2 : 1;
        characters.push_back(text.substr(i, length));
        i += length - 1;
    }
    return characters;
}

bool ReferenceIsJunk(const std::string& path) {
    const auto characters = Characters(path);
    std::size_t start = 0;
    bool found = false;
    for (std::size_t i = characters.size(); i-- > 0 && !found;)
        if (characters[i] == "\\") start = i + 1, found = true;
    for (std::size_t i = characters.size(); i-- > 0 && !found;)
        if (characters[i] == "/") start = i + 1, found = true;
    std::string name;
    for (std::size_t i = start; i < characters.size(); ++i) name += characters[i];
    const std::size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? name : name.substr(dot + 1);
    static const std::set<std::string> kExtensions = {"tmp", "syd", "old", "gid", "_mp", "??~"};
    return kExtensions.count(extension) != 0;
}

// A name is whole when its last character is complete and it holds no separator character.
bool IsWholeName(const std::string& name) {
    if (name.empty()) return false;
    for (const auto& character : Characters(name))
        if (character == "\\" || character == "/" ||
            (character.size() == 1 && IsCp936LeadByte(static_cast<unsigned char>(character[0]))))
            return false;
    return true;
}

// False when the text ends in a lead byte whose trail byte is missing.
bool EndsComplete(const std::string& text) {
    if (text.empty()) return true;
    const std::string last = Characters(text).back();
    return last.size() == 2 || !IsCp936LeadByte(static_cast<unsigned char>(last[0]));
}

// The walk must never ask for a pattern longer than a path.
class Tree : public FakeFolders {
public:
    std::unique_ptr<FolderEnumeration> Open(const std::string& pattern) override {
        if (pattern.size() > kMaxPathChars) std::abort();
        return FakeFolders::Open(pattern);
    }
};

class Sink : public ScanWindow, public DiskSpaceQuery {
public:
    void SetProgressPos(uint32_t) override {}
    void SetStatusText(const std::string& text) override {
        if (text.size() > kMaxPathChars) std::abort();
    }
    void AddResultLine(const std::string& line) override {
        if (line.size() > kMaxPathChars) std::abort();
        lines.push_back(line);
    }
    void SignalScanEvent() override {}
    bool QueryDiskSpace(const std::string&, DiskSpace&) override { return false; }
    std::vector<std::string> lines;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Input: folder, 0, name, 0, second name ... (missing parts are empty).
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    const std::string& folder = parts[0];

    Tree tree;
    Sink sink;
    ScanEngine engine(tree, sink, sink, IsCp936LeadByte);
    engine.AddJunkPatterns();

    if (engine.IsJunkFile(folder) != ReferenceIsJunk(folder)) std::abort();

    // Every further part is an entry of the folder, and of a sub-folder named by the first.
    std::vector<FolderEntry> entries;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string& name = parts[i];
        const std::string joined = PathJoin(folder, name, '\\', IsCp936LeadByte);
        if (joined.compare(0, folder.size(), folder) != 0 ||
            (joined.size() != folder.size() + name.size() &&
             joined.size() != folder.size() + 1 + name.size()))
            std::abort();
        if (IsWholeName(name) && EndsComplete(folder) &&
            FileNameStart(joined, IsCp936LeadByte) != joined.size() - name.size())
            std::abort();
        if (engine.IsJunkFile(joined) != ReferenceIsJunk(joined)) std::abort();
        entries.push_back({name, false, false, false, name.size() * 1000u});
    }
    if (parts.size() > 1) {
        entries.push_back({parts[1], true, false, false, 0});
        tree.Add(SearchPatternOf(folder, '\\', IsCp936LeadByte), entries);
        const std::string sub = PathJoin(folder, parts[1], '\\', IsCp936LeadByte);
        tree.Add(SearchPatternOf(sub, '\\', IsCp936LeadByte), entries);
    }
    engine.ScanFolder(folder);
    uint32_t total = 0;
    FolderSizeWalk(tree, IsCp936LeadByte).AddFolderSizeKB(folder, total);
    if (total != engine.ScannedKB()) std::abort();
    return 0;
}
