#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The sort keys of a sorted list's lines, in the list's order; two lines compare as their keys do,
// byte by byte. The keys lie end to end in one buffer and the list holds where each one is, so an
// insertion near the top of a long list moves eight bytes for every line after it, not a string.
// A removed key's bytes stay in the buffer until the list is emptied.
class SortKeyList {
public:
    std::size_t Size() const { return m_spans.size(); }
    void Clear();
    // Where a sorted list box puts a new line: its binary search, which stops at the first line of
    // an equal key it meets and puts the new line before that one.
    std::size_t PlaceOf(std::string_view key) const;
    // False when the buffer cannot take the key; the list is then as it was.
    bool Insert(std::size_t index, std::string_view key);
    void Erase(std::size_t index);

private:
    struct Span {
        uint32_t offset;
        uint32_t size;
    };
    std::string_view KeyAt(std::size_t index) const;

    std::string m_bytes;
    std::vector<Span> m_spans;
};
