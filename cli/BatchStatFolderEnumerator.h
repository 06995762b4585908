#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "engine/FolderEnumerator.h"

// Lists folders as PosixFolderEnumerator does (the walks' search pattern "dir/*.*"; a link is
// reported as a link, with the folder bit when it leads to one, and its own size), but reads a
// buffer of entries per getdents64 call and their types and sizes a batch at a time through a
// StatxRing, alone where the kernel has no ring. Several threads may list at once.
class BatchStatFolderEnumerator : public FolderEnumerator {
public:
    // lookupsBatched false: one statx call per file, as where the kernel has no ring.
    explicit BatchStatFolderEnumerator(bool lookupsBatched = true);
    ~BatchStatFolderEnumerator() override;
    BatchStatFolderEnumerator(const BatchStatFolderEnumerator&) = delete;
    BatchStatFolderEnumerator& operator=(const BatchStatFolderEnumerator&) = delete;

    // The listings it opens must end before it does.
    std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) override;
    char Separator() const override { return '/'; }

private:
    // What one listing works with: a ring and its buffers, lent to one listing at a time.
    struct Lister;
    class Listing;

    std::unique_ptr<Lister> Borrow();
    void GiveBack(std::unique_ptr<Lister> lister);

    const bool m_lookupsBatched;
    std::mutex m_lock;
    std::vector<std::unique_ptr<Lister>> m_idle;
};
