#include "cli/CountingFolderEnumerator.h"

class CountingFolderEnumerator::Counting : public FolderEnumeration {
public:
    Counting(std::unique_ptr<FolderEnumeration> inner, CountingFolderEnumerator& owner, std::string enclosing)
        : m_inner(std::move(inner)), m_owner(owner), m_enclosing(std::move(enclosing))
    {
    }
    // The walk goes back to the folder that was being listed before this one.
    ~Counting() override { m_owner.SetCurrentSearchPattern(std::move(m_enclosing)); }
    Counting(const Counting&) = delete;
    Counting& operator=(const Counting&) = delete;

    bool Next(FolderEntry& entry) override
    {
        if (!m_inner->Next(entry))
            return false;
        if (!entry.isDirectory) {
            m_owner.m_nFiles.fetch_add(1, std::memory_order_relaxed);
            m_owner.m_lastFileSize = entry.size;
        }
        return true;
    }

private:
    std::unique_ptr<FolderEnumeration> m_inner;
    CountingFolderEnumerator& m_owner;
    std::string m_enclosing;
};

std::unique_ptr<FolderEnumeration> CountingFolderEnumerator::Open(const std::string& searchPattern)
{
    std::string enclosing = CurrentSearchPattern();
    SetCurrentSearchPattern(searchPattern);
    std::unique_ptr<FolderEnumeration> listing = m_inner.Open(searchPattern);
    if (!listing) {
        SetCurrentSearchPattern(std::move(enclosing));
        return nullptr;
    }
    return std::make_unique<Counting>(std::move(listing), *this, std::move(enclosing));
}

std::string CountingFolderEnumerator::CurrentSearchPattern() const
{
    std::lock_guard lock(m_patternLock);
    return m_currentPattern;
}

void CountingFolderEnumerator::SetCurrentSearchPattern(std::string searchPattern)
{
    std::lock_guard lock(m_patternLock);
    m_currentPattern = std::move(searchPattern);
}
