#include <cstdlib>

#include "bench/BenchPlatform.h"
#include "engine/Cp936LeadByte.h"
#include "platform/posix/PosixDiskSpaceQuery.h"
#include "platform/posix/PosixFolderEnumerator.h"

std::unique_ptr<FolderEnumerator> MakeFolderEnumerator() { return std::make_unique<PosixFolderEnumerator>(); }
std::unique_ptr<DiskSpaceQuery> MakeDiskSpaceQuery() { return std::make_unique<PosixDiskSpaceQuery>(); }
LeadBytePredicate MakeLeadBytePredicate() { return IsCp936LeadByte; }

bool RunFind(const std::string& root) {
    const std::string command = "find '" + root + "' -type f -printf '%s %p\\n' > /dev/null";
    return std::system(command.c_str()) == 0;
}
