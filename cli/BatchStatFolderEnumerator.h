#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "cli/WalkFolderOpener.h"

// Opens the walk's folders through descriptors: the scanned folder by its path, every other one
// relative to its parent's descriptor without following a link. Lists a folder as
// PosixFolderEnumerator does (a link is reported as a link, with the folder bit when it leads to
// one, and its own size), but reads a buffer of entries per getdents64 call and their types,
// sizes, identities and times a batch at a time through a StatxRing, alone where the kernel has
// no ring. Several threads may list at once.
class BatchStatFolderEnumerator : public WalkFolderOpener {
public:
    // lookupsBatched false: one statx call per file, as where the kernel has no ring.
    explicit BatchStatFolderEnumerator(bool lookupsBatched = true);
    ~BatchStatFolderEnumerator() override;
    BatchStatFolderEnumerator(const BatchStatFolderEnumerator&) = delete;
    BatchStatFolderEnumerator& operator=(const BatchStatFolderEnumerator&) = delete;

    // The folders it opens must be closed before it ends.
    std::unique_ptr<WalkFolder> OpenRoot(const std::string& path) override;
    char Separator() const override { return '/'; }

private:
    // What one listing works with: a ring and its buffers, lent to one listing at a time.
    struct Lister;
    class Listing;

    std::unique_ptr<WalkFolder> Adopt(int fd);
    std::unique_ptr<Lister> Borrow();
    void GiveBack(std::unique_ptr<Lister> lister);

    const bool m_lookupsBatched;
    std::mutex m_lock;
    std::vector<std::unique_ptr<Lister>> m_idle;
};
