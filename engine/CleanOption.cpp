#include "engine/CleanOption.h"

namespace {

struct CleanOptionText {
    const char* label;
    const char* reportLine;
};

// Indexed by position in the option list.
constexpr CleanOptionText kTexts[kCleanOptionCount] = {
    {"清空回收站", "回收站清空完毕！"},
    {"临时文件", nullptr},
    {"剪贴板", "剪贴板清空完毕！"},
    {"Internet 临时文件", "Internet 临时文件清空完毕！"},
    {"历史记录", "网址历史记录清空完毕！"},
    {"Cookies", "Cookies 清空完毕！"},
    {"最近网址列表", "最近网址记录清空完毕！"},
};

}  // namespace

const char* CleanOptionLabel(CleanOption option) { return kTexts[static_cast<int>(option)].label; }

const char* CleanOptionReportLine(CleanOption option) { return kTexts[static_cast<int>(option)].reportLine; }
