#pragma once

#include <cstdint>
#include <string>

// The drive's geometry and fill, as GetDiskFreeSpaceA gives them.
struct DiskSpace {
    uint32_t sectorsPerCluster = 0;
    uint32_t bytesPerSector = 0;
    uint32_t freeClusters = 0;
    uint32_t totalClusters = 0;
};

class DiskSpaceQuery {
public:
    virtual ~DiskSpaceQuery() = default;
    // GetDiskFreeSpaceA: queries the drive that holds path (the path as given, not reduced to a root).
    // False when the platform cannot answer; the outputs are then left as they are.
    virtual bool QueryDiskSpace(const std::string& path, DiskSpace& space) = 0;
};
