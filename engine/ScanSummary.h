#pragma once

#include <cstdint>
#include <string>

// The size of the junk found, as the summary shows it: "512KB", "3MB", "1.50GB". Below 1,024 KB
// in KB; below 1 GB in whole MB, rounded down; from 1 GB on with two fraction digits, cut.
std::string SizeText(uint32_t junkKB);

// "扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 512KB 磁盘空间。" (GBK bytes).
std::string ScanSummaryText(uint32_t junkCount, uint32_t junkKB);
