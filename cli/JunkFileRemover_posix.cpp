#include "cli/JunkFileRemover.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <utility>
#include <vector>

namespace {

using Result = JunkFileRemover::Result;

FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

// A folder on the way that could not be opened: gone, out of reach, or no longer a folder (a
// link among them, which is never followed).
Result ReasonOfUnopenedFolder(int error) {
    switch (error) {
        case ENOENT:
            return Result::Gone;
        case EACCES:
        case EPERM:
            return Result::AccessDenied;
        default:
            return Result::Changed;
    }
}

Result ReasonOfRefusal(int error) {
    switch (error) {
        case ENOENT:
            return Result::Gone;
        case EACCES:
        case EPERM:
        case EROFS:
            return Result::AccessDenied;
        case EBUSY:
        case ETXTBSY:
            return Result::InUse;
        case EISDIR:
            return Result::NotAFile;
        default:
            return Result::Failed;
    }
}

// A path for a .trashinfo file: its bytes, with all but the unreserved ones and '/' escaped.
std::string EscapedPath(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            escaped += c;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 15];
        }
    }
    return escaped;
}

// The user's data folder ($XDG_DATA_HOME, or ~/.local/share), where the home Trash lives; empty
// when there is no home to put one in.
std::string DataHome() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') return data;
    std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    while (home.size() > 1 && home.back() == '/') home.pop_back();
    if (home.empty() || home[0] != '/' || home == "/") return std::string();
    return home + "/.local/share";
}

// mkdir -p, the folders it makes for the user alone.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

// The file's name, the end of its path.
const char* NameOf(const JunkFile& junk) { return junk.path.c_str() + junk.nameOffset; }

bool IsPlainName(const JunkFile& junk) {
    return junk.nameOffset < junk.path.size() && junk.path.find('/', junk.nameOffset) == std::string::npos;
}

int OpenFolderFd(int parent, const char* name) {
    return openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

}  // namespace

struct JunkFileRemover::Held {
    ~Held() {
        CloseFrom(0);
        for (const int fd : {trashFiles, trashInfo})
            if (fd >= 0) close(fd);
    }

    void CloseFrom(std::size_t depth) {
        for (std::size_t i = depth; i < chain.size(); ++i) close(chain[i].second);
        chain.resize(std::min(depth, chain.size()));
    }

    // The descriptor of the folder the walk listed, reached again from the scanned folder one name
    // at a time without following a link, each folder checked to be the one the walk saw; the
    // folders the last file's way shares with this one are kept open. -1, with the reason, when
    // the way no longer leads there.
    int Reach(const std::string& root, const ListedFolder* folder, Result& why) {
        // Most files share the last one's folder.
        if (!chain.empty() && chain.back().first == folder) return chain.back().second;
        std::vector<const ListedFolder*> way;
        for (; folder != nullptr; folder = folder->parent.get()) way.push_back(folder);
        std::reverse(way.begin(), way.end());
        std::size_t shared = 0;
        while (shared < chain.size() && shared < way.size() && chain[shared].first == way[shared]) ++shared;
        CloseFrom(shared);
        for (std::size_t i = shared; i < way.size(); ++i) {
            // The folder the user named is taken as named, links and all; nothing below it is.
            const int fd = i == 0 ? open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)
                                  : openat(chain.back().second, way[i]->name.c_str(),
                                           O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0) {
                why = ReasonOfUnopenedFolder(errno);
                return -1;
            }
            struct stat info {};
            if (fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode) || IdentityOf(info) != way[i]->identity) {
                close(fd);
                why = Result::Changed;
                return -1;
            }
            chain.emplace_back(way[i], fd);
        }
        if (chain.empty()) {
            why = Result::Failed;
            return -1;
        }
        return chain.back().second;
    }

    // Why the junk file must stay as it is, or nothing when it may go through folder, the
    // descriptor of its folder; info is what is there now.
    std::optional<Result> ReasonToKeep(const std::string& root, const std::optional<int64_t>& newestModified,
                                       const JunkFile& junk, int& folder, struct stat& info) {
        if (!JunkFileRemover::IsDeletablePath(junk.path) || junk.folder == nullptr || !IsPlainName(junk))
            return Result::Failed;
        const char* name = NameOf(junk);
        Result why = Result::Failed;
        folder = Reach(root, junk.folder.get(), why);
        if (folder < 0) return why;
        if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? Result::Gone : Result::AccessDenied;
        if (!S_ISREG(info.st_mode) || IdentityOf(info) != junk.identity) return Result::Changed;
        // The same rule as on Windows, where a read-only file cannot be deleted: unlink alone would
        // look only at the folder's permissions.
        if ((info.st_mode & S_IWUSR) == 0) return Result::ReadOnly;
        if (newestModified && static_cast<int64_t>(info.st_mtime) > *newestModified) return Result::Changed;
        return std::nullopt;
    }

    // The home Trash's two folders, made if need be, at the first move; false when there is none.
    bool OpenTrash() {
        if (trashOpened) return trashFiles >= 0 && trashInfo >= 0;
        trashOpened = true;
        const std::string data = DataHome();
        if (data.empty() || !MakeFolders(data + "/Trash/files") || !MakeFolders(data + "/Trash/info"))
            return false;
        const int trash = open((data + "/Trash").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (trash < 0) return false;
        trashFiles = OpenFolderFd(trash, "files");
        trashInfo = OpenFolderFd(trash, "info");
        close(trash);
        struct stat info {};
        if (trashFiles < 0 || fstat(trashFiles, &info) != 0) return false;
        trashDevice = info.st_dev;
        return trashInfo >= 0;
    }

    std::vector<std::pair<const ListedFolder*, int>> chain;
    bool trashOpened = false;
    int trashFiles = -1;
    int trashInfo = -1;
    dev_t trashDevice = 0;
};

JunkFileRemover::JunkFileRemover(std::string folder, std::optional<int64_t> newestModified)
    : m_folder(std::move(folder)), m_newestModified(newestModified), m_held(std::make_unique<Held>()) {}

JunkFileRemover::~JunkFileRemover() = default;

bool JunkFileRemover::IsDeletablePath(const std::string& path) {
    return path.size() > 1 && path[0] == '/' && path.back() != '/' && path.find('\0') == std::string::npos;
}

// The entry is unlinked from the folder checked above: should it be swapped once more in between,
// what goes is at worst that other entry of the same folder, never a file outside the tree.
JunkFileRemover::Result JunkFileRemover::Remove(const JunkFile& junk) {
    int folder = -1;
    struct stat info {};
    if (const auto reason = m_held->ReasonToKeep(m_folder, m_newestModified, junk, folder, info))
        return *reason;
    if (unlinkat(folder, NameOf(junk), 0) == 0) return Result::Deleted;
    return ReasonOfRefusal(errno);
}

// The freedesktop home Trash, written here: the .trashinfo first, created exclusively so that no
// other file's record is overwritten, then the file renamed into files/ from its checked folder
// without replacing anything. Only on the Trash's own file system; a file elsewhere stays.
JunkFileRemover::Result JunkFileRemover::Trash(const JunkFile& junk) {
    int folder = -1;
    struct stat info {};
    if (const auto reason = m_held->ReasonToKeep(m_folder, m_newestModified, junk, folder, info))
        return *reason;
    if (!m_held->OpenTrash() || info.st_dev != m_held->trashDevice) return Result::NoTrash;
    const std::string name = NameOf(junk);
    char date[32] = {};
    const std::time_t now = std::time(nullptr);
    struct tm local {};
    if (localtime_r(&now, &local) != nullptr) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const std::string record =
        "[Trash Info]\nPath=" + EscapedPath(junk.path) + "\nDeletionDate=" + date + "\n";
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string trashName = attempt == 1 ? name : name + "." + std::to_string(attempt);
        const std::string infoName = trashName + ".trashinfo";
        const int fd = openat(m_held->trashInfo, infoName.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return Result::NoTrash;
        const bool written = write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
        if (close(fd) != 0 || !written) {
            unlinkat(m_held->trashInfo, infoName.c_str(), 0);
            return Result::NoTrash;
        }
        if (renameat2(folder, name.c_str(), m_held->trashFiles, trashName.c_str(), RENAME_NOREPLACE) == 0)
            return Result::Trashed;
        const int error = errno;
        unlinkat(m_held->trashInfo, infoName.c_str(), 0);
        if (error == EEXIST) continue;
        return error == EXDEV ? Result::NoTrash : ReasonOfRefusal(error);
    }
    return Result::NoTrash;
}
