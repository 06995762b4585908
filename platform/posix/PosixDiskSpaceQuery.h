#pragma once

#include "engine/DiskSpaceQuery.h"

// statvfs, presented as the four figures of the Windows query: one "sector" per fragment, and
// the fragment counts clamped to 32 bits.
class PosixDiskSpaceQuery : public DiskSpaceQuery {
public:
    bool QueryDiskSpace(const std::string& path, DiskSpace& space) override;
};
