#include "cli/StatxRing.h"

#include <fcntl.h>
#include <linux/io_uring.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

unsigned LoadAcquire(const unsigned* value) { return __atomic_load_n(value, __ATOMIC_ACQUIRE); }
void StoreRelease(unsigned* value, unsigned to) { __atomic_store_n(value, to, __ATOMIC_RELEASE); }

// One mapping of the ring's memory, unmapped with it.
class MappedRegion {
public:
    MappedRegion(int fd, std::size_t size, off_t offset)
        : m_size(size),
          m_base(mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd, offset)) {
        if (m_base == MAP_FAILED) m_base = nullptr;
    }
    ~MappedRegion() {
        if (m_base != nullptr) munmap(m_base, m_size);
    }
    MappedRegion(const MappedRegion&) = delete;
    MappedRegion& operator=(const MappedRegion&) = delete;

    char* At(std::size_t offset) const { return static_cast<char*>(m_base) + offset; }
    bool Valid() const { return m_base != nullptr; }

private:
    std::size_t m_size = 0;
    void* m_base = nullptr;
};

// The kernel's answer to a probe of the ring's operations: from Linux 5.6, the release that
// brought statx to the ring.
bool RingHasStatx(int fd) {
    constexpr unsigned kOps = 256;
    std::vector<char> answer(sizeof(io_uring_probe) + kOps * sizeof(io_uring_probe_op));
    auto* probe = reinterpret_cast<io_uring_probe*>(answer.data());
    return syscall(__NR_io_uring_register, fd, IORING_REGISTER_PROBE, probe, kOps) == 0 &&
           probe->last_op >= IORING_OP_STATX &&
           (probe->ops[IORING_OP_STATX].flags & IO_URING_OP_SUPPORTED) != 0;
}

}  // namespace

struct StatxRing::Mapping {
    Mapping(int fd, const io_uring_params& params)
        : rings(fd,
                std::max<std::size_t>(params.sq_off.array + params.sq_entries * sizeof(unsigned),
                                      params.cq_off.cqes + params.cq_entries * sizeof(io_uring_cqe)),
                IORING_OFF_SQ_RING),
          entries(fd, params.sq_entries * sizeof(io_uring_sqe), IORING_OFF_SQES) {
        if (!rings.Valid() || !entries.Valid()) return;
        sqHead = reinterpret_cast<unsigned*>(rings.At(params.sq_off.head));
        sqTail = reinterpret_cast<unsigned*>(rings.At(params.sq_off.tail));
        sqMask = *reinterpret_cast<unsigned*>(rings.At(params.sq_off.ring_mask));
        sqArray = reinterpret_cast<unsigned*>(rings.At(params.sq_off.array));
        cqHead = reinterpret_cast<unsigned*>(rings.At(params.cq_off.head));
        cqTail = reinterpret_cast<unsigned*>(rings.At(params.cq_off.tail));
        cqMask = *reinterpret_cast<unsigned*>(rings.At(params.cq_off.ring_mask));
        cqes = reinterpret_cast<io_uring_cqe*>(rings.At(params.cq_off.cqes));
        sqes = reinterpret_cast<io_uring_sqe*>(entries.At(0));
    }
    bool Valid() const { return sqes != nullptr; }

    MappedRegion rings;
    MappedRegion entries;
    unsigned* sqHead = nullptr;
    unsigned* sqTail = nullptr;
    unsigned sqMask = 0;
    unsigned* sqArray = nullptr;
    unsigned* cqHead = nullptr;
    unsigned* cqTail = nullptr;
    unsigned cqMask = 0;
    io_uring_cqe* cqes = nullptr;
    io_uring_sqe* sqes = nullptr;
};

std::unique_ptr<StatxRing> StatxRing::Create() {
    io_uring_params params{};
    const int fd = static_cast<int>(syscall(__NR_io_uring_setup, kEntries, &params));
    if (fd < 0) return nullptr;
    // Both rings share one mapping on every kernel whose ring has statx.
    std::unique_ptr<Mapping> map;
    if ((params.features & IORING_FEAT_SINGLE_MMAP) != 0 && RingHasStatx(fd))
        map = std::make_unique<Mapping>(fd, params);
    if (!map || !map->Valid()) {
        map.reset();
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<StatxRing>(new StatxRing(fd, std::move(map)));
}

StatxRing::StatxRing(int fd, std::unique_ptr<Mapping> map) : m_fd(fd), m_map(std::move(map)) {}

StatxRing::~StatxRing() {
    m_map.reset();
    close(m_fd);
}

bool StatxRing::Stat(int dirFd, const char* const* names, std::size_t count, struct statx* results,
                     int* codes) {
    Mapping& ring = *m_map;
    const unsigned first = *ring.sqTail;
    for (std::size_t i = 0; i < count; ++i) {
        codes[i] = kNotRead;
        const unsigned slot = (first + static_cast<unsigned>(i)) & ring.sqMask;
        io_uring_sqe& entry = ring.sqes[slot];
        std::memset(&entry, 0, sizeof entry);
        entry.opcode = IORING_OP_STATX;
        entry.fd = dirFd;
        entry.addr = reinterpret_cast<uintptr_t>(names[i]);
        entry.len = kLookupMask;
        entry.off = reinterpret_cast<uintptr_t>(&results[i]);
        entry.statx_flags = AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC;
        entry.user_data = i;
        ring.sqArray[slot] = slot;
    }
    const unsigned end = first + static_cast<unsigned>(count);
    StoreRelease(ring.sqTail, end);

    std::size_t ended = 0;
    while (ended < count) {
        const unsigned unsubmitted = end - LoadAcquire(ring.sqHead);
        const long result = syscall(__NR_io_uring_enter, m_fd, unsubmitted,
                                    static_cast<unsigned>(count - ended), IORING_ENTER_GETEVENTS, nullptr, 0);
        const int error = result < 0 ? errno : 0;
        unsigned head = *ring.cqHead;
        for (const unsigned tail = LoadAcquire(ring.cqTail); head != tail; ++head) {
            const io_uring_cqe& done = ring.cqes[head & ring.cqMask];
            codes[done.user_data] = done.res < 0 ? -done.res : 0;
            ++ended;
        }
        StoreRelease(ring.cqHead, head);
        if (error == 0 || error == EINTR) continue;
        // The ring failed, or the kernel is short of memory: what it holds is waited for, and
        // only then the caller takes over.
        const unsigned submitted = LoadAcquire(ring.sqHead) - first;
        if (submitted == ended) {
            // What the kernel has not taken is taken back, so that no later call submits it.
            StoreRelease(ring.sqTail, LoadAcquire(ring.sqHead));
            return false;
        }
    }
    return true;
}
