#include "picker/SortKeyList.h"

#include <limits>

void SortKeyList::Clear() {
    m_bytes.clear();
    m_spans.clear();
}

std::size_t SortKeyList::PlaceOf(std::string_view key) const {
    std::ptrdiff_t min = 0;
    std::ptrdiff_t max = static_cast<std::ptrdiff_t>(m_spans.size()) - 1;
    while (min <= max) {
        const std::ptrdiff_t index = (min + max) / 2;
        const int order = KeyAt(static_cast<std::size_t>(index)).compare(key);
        if (order == 0) return static_cast<std::size_t>(index);
        if (order > 0)
            max = index - 1;
        else
            min = index + 1;
    }
    return static_cast<std::size_t>(min);
}

bool SortKeyList::Insert(std::size_t index, std::string_view key) {
    constexpr std::size_t kMaxBytes = std::numeric_limits<uint32_t>::max();
    if (index > m_spans.size() || key.size() > kMaxBytes - m_bytes.size()) return false;
    m_spans.insert(m_spans.begin() + static_cast<std::ptrdiff_t>(index),
                   Span{static_cast<uint32_t>(m_bytes.size()), static_cast<uint32_t>(key.size())});
    m_bytes.append(key);
    return true;
}

void SortKeyList::Erase(std::size_t index) {
    if (index < m_spans.size()) m_spans.erase(m_spans.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string_view SortKeyList::KeyAt(std::size_t index) const {
    const Span span = m_spans[index];
    return std::string_view(m_bytes).substr(span.offset, span.size);
}
