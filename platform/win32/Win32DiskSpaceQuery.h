#pragma once

#include "engine/DiskSpaceQuery.h"

// GetDiskFreeSpaceA on the path as given.
class Win32DiskSpaceQuery : public DiskSpaceQuery {
public:
    bool QueryDiskSpace(const std::string& path, DiskSpace& space) override;
};
