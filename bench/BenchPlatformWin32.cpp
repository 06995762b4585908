#include "bench/BenchPlatform.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32DiskSpaceQuery.h"
#include "platform/win32/Win32FolderEnumerator.h"

std::unique_ptr<FolderEnumerator> MakeFolderEnumerator() { return std::make_unique<Win32FolderEnumerator>(); }
std::unique_ptr<DiskSpaceQuery> MakeDiskSpaceQuery() { return std::make_unique<Win32DiskSpaceQuery>(); }
LeadBytePredicate MakeLeadBytePredicate() { return AnsiLeadBytePredicate(); }
bool RunFind(const std::string&) { return false; }
