#pragma once

// The seven clean options, at their fixed positions in the option list.
enum class CleanOption : int {
    EmptyRecycleBin = 0,
    TempFiles = 1,
    Clipboard = 2,
    InternetTempFiles = 3,
    History = 4,
    Cookies = 5,
    TypedUrls = 6,
};

inline constexpr int kCleanOptionCount = 7;

// The option's text in the option list.
const char* CleanOptionLabel(CleanOption option);

// The line the clean worker adds after performing the option; null for TempFiles, which adds none.
const char* CleanOptionReportLine(CleanOption option);
