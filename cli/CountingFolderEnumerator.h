#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "engine/FolderEnumerator.h"

// Passes the platform's listings through to the walk and keeps, for the progress line, the
// number of files listed and the folder being listed (the enclosing one again once a sub-folder
// is done); for the junk list, the size of the file
// the walk is looking at (the last file entry handed out).
class CountingFolderEnumerator : public FolderEnumerator {
public:
    explicit CountingFolderEnumerator(FolderEnumerator& inner) : m_inner(inner) {}

    std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) override;
    char Separator() const override { return m_inner.Separator(); }

    // Readable from any thread while the walk runs.
    uint64_t FilesListed() const { return m_nFiles.load(std::memory_order_relaxed); }
    std::string CurrentSearchPattern() const;

    // Only on the walk's thread.
    uint64_t LastFileSize() const { return m_lastFileSize; }

private:
    class Counting;
    void SetCurrentSearchPattern(std::string searchPattern);

    FolderEnumerator& m_inner;
    std::atomic<uint64_t> m_nFiles{0};
    uint64_t m_lastFileSize = 0;
    mutable std::mutex m_patternLock;
    std::string m_currentPattern;
};
