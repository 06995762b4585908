#include "cli/BatchStatFolderEnumerator.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "cli/StatxRing.h"

struct BatchStatFolderEnumerator::Lister {
    static constexpr std::size_t kBatch = StatxRing::kEntries;

    explicit Lister(bool lookupsBatched) : ring(lookupsBatched ? StatxRing::Create() : nullptr) {}

    std::unique_ptr<StatxRing> ring;
    // As large as the C library's own listing buffer.
    alignas(dirent64) std::array<char, 32768> records;
    // The batch of entries being handed out: names point into records.
    std::array<const char*, kBatch> names;
    std::array<unsigned char, kBatch> types;
    // For each entry that is no folder, where its look-up is.
    std::array<std::size_t, kBatch> lookupOf;
    std::array<const char*, kBatch> lookupNames;
    std::array<struct statx, kBatch> lookups;
    std::array<int, kBatch> codes;
};

namespace {

FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

}  // namespace

// An open folder: its listing's buffers are given back as soon as the listing ends, its
// descriptor stays for the sub-folders until the last of them is open.
class BatchStatFolderEnumerator::Listing : public WalkFolder {
public:
    Listing(BatchStatFolderEnumerator& owner, int fd, FileIdentity identity, std::unique_ptr<Lister> lister)
        : m_owner(owner), m_fd(fd), m_identity(identity), m_lister(std::move(lister)) {}
    ~Listing() override {
        close(m_fd);
        EndListing();
    }
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;

    FileIdentity Identity() const override { return m_identity; }

    bool Next(WalkEntry& entry) override {
        if (!m_lister) return false;
        for (;;) {
            if (m_next == m_count && !ReadBatch()) {
                EndListing();
                return false;
            }
            if (Describe(m_next++, entry)) return true;
        }
    }

    std::unique_ptr<WalkFolder> OpenChild(const std::string& name, const std::string&) const override {
        return m_owner.Adopt(openat(m_fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }

private:
    // The next entries, up to a batch, with the look-ups of those that are no folder done.
    bool ReadBatch() {
        Lister& lister = *m_lister;
        m_next = m_count = 0;
        std::size_t lookupCount = 0;
        while (m_count < Lister::kBatch) {
            if (m_offset == m_filled) {
                // The names of the batch point into the buffer: it is refilled only between batches.
                if (m_count > 0) break;
                const ssize_t filled = getdents64(m_fd, lister.records.data(), lister.records.size());
                if (filled <= 0) return false;
                m_filled = static_cast<std::size_t>(filled);
                m_offset = 0;
            }
            const auto* record = reinterpret_cast<const dirent64*>(lister.records.data() + m_offset);
            m_offset += record->d_reclen;
            lister.names[m_count] = record->d_name;
            lister.types[m_count] = record->d_type;
            if (record->d_type != DT_DIR) {
                lister.lookupOf[m_count] = lookupCount;
                lister.lookupNames[lookupCount++] = record->d_name;
            }
            ++m_count;
        }
        if (lookupCount == 0) return true;
        if (!lister.ring)
            std::fill_n(lister.codes.begin(), lookupCount, StatxRing::kNotRead);
        else if (!lister.ring->Stat(m_fd, lister.lookupNames.data(), lookupCount, lister.lookups.data(),
                                    lister.codes.data()))
            lister.ring.reset();  // what it did not read is read below, and every later batch too
        for (std::size_t i = 0; i < lookupCount; ++i)
            if (lister.codes[i] == StatxRing::kNotRead)
                lister.codes[i] = statx(m_fd, lister.lookupNames[i], AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC,
                                        StatxRing::kLookupMask, &lister.lookups[i]) == 0
                                      ? 0
                                      : errno;
        return true;
    }

    void EndListing() {
        if (m_lister) m_owner.GiveBack(std::move(m_lister));
    }

    // False for an entry that vanished between the listing and its look-up: it is passed over.
    bool Describe(std::size_t index, WalkEntry& walked) const {
        const Lister& lister = *m_lister;
        const char* name = lister.names[index];
        FolderEntry& entry = walked.entry;
        entry.name.assign(name);
        entry.isLink = entry.isReadOnly = false;
        entry.size = 0;
        walked.isRegularFile = false;
        walked.identity = {};
        walked.modified.reset();
        if (lister.types[index] == DT_DIR) {
            entry.isDirectory = true;
            return true;
        }
        const std::size_t lookup = lister.lookupOf[index];
        if (lister.codes[lookup] != 0) return false;
        const struct statx& info = lister.lookups[lookup];
        walked.isRegularFile = S_ISREG(info.stx_mode);
        walked.identity = {static_cast<uint64_t>(makedev(info.stx_dev_major, info.stx_dev_minor)),
                           info.stx_ino};
        walked.modified = info.stx_mtime.tv_sec;
        if (S_ISLNK(info.stx_mode)) {
            entry.isLink = true;
            struct stat target {};
            entry.isDirectory = fstatat(m_fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        } else {
            entry.isDirectory = S_ISDIR(info.stx_mode);
        }
        entry.isReadOnly = (info.stx_mode & S_IWUSR) == 0;
        entry.size = entry.isDirectory ? 0 : info.stx_size;
        return true;
    }

    BatchStatFolderEnumerator& m_owner;
    const int m_fd;
    const FileIdentity m_identity;
    std::unique_ptr<Lister> m_lister;
    std::size_t m_filled = 0;
    std::size_t m_offset = 0;
    std::size_t m_count = 0;
    std::size_t m_next = 0;
};

BatchStatFolderEnumerator::BatchStatFolderEnumerator(bool lookupsBatched)
    : m_lookupsBatched(lookupsBatched) {}
BatchStatFolderEnumerator::~BatchStatFolderEnumerator() = default;

// The folder the user named is opened by its path, links and all; the walk below it follows none.
std::unique_ptr<WalkFolder> BatchStatFolderEnumerator::OpenRoot(const std::string& path) {
    return Adopt(open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

std::unique_ptr<WalkFolder> BatchStatFolderEnumerator::Adopt(int fd) {
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<Listing>(*this, fd, IdentityOf(info), Borrow());
}

std::unique_ptr<BatchStatFolderEnumerator::Lister> BatchStatFolderEnumerator::Borrow() {
    {
        std::lock_guard lock(m_lock);
        if (!m_idle.empty()) {
            std::unique_ptr<Lister> lister = std::move(m_idle.back());
            m_idle.pop_back();
            return lister;
        }
    }
    return std::make_unique<Lister>(m_lookupsBatched);
}

void BatchStatFolderEnumerator::GiveBack(std::unique_ptr<Lister> lister) {
    std::lock_guard lock(m_lock);
    m_idle.push_back(std::move(lister));
}
