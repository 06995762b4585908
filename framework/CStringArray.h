#pragma once

#include <string>
#include <utility>
#include <vector>

// An ordered array of narrow strings with the operations of the framework's string array that
// the program uses. Header-only and portable, so portable code can derive from it.
class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_strings.size()); }
    int GetCount() const { return GetSize(); }

    const std::string& GetAt(int nIndex) const { return m_strings.at(static_cast<size_t>(nIndex)); }
    std::string& ElementAt(int nIndex) { return m_strings.at(static_cast<size_t>(nIndex)); }
    const std::string& operator[](int nIndex) const { return GetAt(nIndex); }
    std::string& operator[](int nIndex) { return ElementAt(nIndex); }

    // Appends at the end and returns the new element's index.
    int Add(std::string str) {
        m_strings.push_back(std::move(str));
        return GetSize() - 1;
    }

private:
    std::vector<std::string> m_strings;
};
