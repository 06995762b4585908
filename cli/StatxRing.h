#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <memory>

// An io_uring that looks up many names of one folder with one system call: the kernel runs the
// statx calls on worker threads of its own, where a stat per file pays a system call's entry and
// exit per file (the larger part of a walk's time on a virtual machine). Linux 5.6 and later;
// Create tells when the kernel has none to give (too old, switched off, refused by a sandbox).
class StatxRing {
public:
    static constexpr unsigned kEntries = 64;
    // A look-up the ring did not get to.
    static constexpr int kNotRead = -1;
    // What each look-up reads.
    static constexpr unsigned kLookupMask = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_INO | STATX_MTIME;

    static std::unique_ptr<StatxRing> Create();
    ~StatxRing();
    StatxRing(const StatxRing&) = delete;
    StatxRing& operator=(const StatxRing&) = delete;

    // Reads the type, mode, size, inode and time of names[i] (a link itself, not its target) in folder dirFd
    // into results[i], codes[i] being 0 or the errno; count at most kEntries. Returns once every
    // look-up has ended. False when the ring itself failed, with nothing left in the kernel's
    // hands: the look-ups still at kNotRead are the caller's, and the ring is of no further use.
    bool Stat(int dirFd, const char* const* names, std::size_t count, struct statx* results, int* codes);

private:
    struct Mapping;
    StatxRing(int fd, std::unique_ptr<Mapping> map);

    int m_fd;
    std::unique_ptr<Mapping> m_map;
};
