#include "platform/posix/PosixFolderEnumerator.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

class PosixFolderEnumeration : public FolderEnumeration {
public:
    explicit PosixFolderEnumeration(DIR* dir) : m_dir(dir) {}
    ~PosixFolderEnumeration() override { closedir(m_dir); }
    PosixFolderEnumeration(const PosixFolderEnumeration&) = delete;
    PosixFolderEnumeration& operator=(const PosixFolderEnumeration&) = delete;

    bool Next(FolderEntry& entry) override {
        while (const dirent* item = readdir(m_dir)) {
            entry = FolderEntry{};
            entry.name = item->d_name;
            if (item->d_type == DT_DIR) {
                entry.isDirectory = true;
                return true;
            }
            struct stat info {};
            // An entry that vanished between readdir and the look-up is passed over.
            if (fstatat(dirfd(m_dir), item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
            if (S_ISLNK(info.st_mode)) {
                entry.isLink = true;
                struct stat target {};
                entry.isDirectory =
                    fstatat(dirfd(m_dir), item->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
            } else {
                entry.isDirectory = S_ISDIR(info.st_mode);
            }
            entry.isReadOnly = (info.st_mode & S_IWUSR) == 0;
            entry.size = entry.isDirectory ? 0 : static_cast<uint64_t>(info.st_size);
            return true;
        }
        return false;
    }

private:
    DIR* m_dir;
};

}  // namespace

std::unique_ptr<FolderEnumeration> PosixFolderEnumerator::Open(const std::string& searchPattern) {
    static const std::string kAllEntries = "*.*";
    if (searchPattern.size() < kAllEntries.size() ||
        searchPattern.compare(searchPattern.size() - kAllEntries.size(), kAllEntries.size(), kAllEntries) !=
            0)
        return nullptr;
    const std::string folder = searchPattern.substr(0, searchPattern.size() - kAllEntries.size());
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return nullptr;
    return std::make_unique<PosixFolderEnumeration>(dir);
}
