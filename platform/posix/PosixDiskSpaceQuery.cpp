#include "platform/posix/PosixDiskSpaceQuery.h"

#include <sys/statvfs.h>

#include <limits>

namespace {

uint32_t Clamp32(unsigned long long value) {
    return value > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                        : static_cast<uint32_t>(value);
}

}  // namespace

bool PosixDiskSpaceQuery::QueryDiskSpace(const std::string& path, DiskSpace& space) {
    struct statvfs info {};
    if (statvfs(path.c_str(), &info) != 0) return false;
    const unsigned long long fragment = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    space.sectorsPerCluster = 1;
    space.bytesPerSector = Clamp32(fragment);
    space.totalClusters = Clamp32(info.f_blocks);
    space.freeClusters = Clamp32(info.f_bfree);
    return true;
}
