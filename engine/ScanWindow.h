#pragma once

#include <cstdint>
#include <string>

// The four things the walk does to the window. They take effect in the order made; the walk does
// not wait for them: the window may keep what is new and show it at display rate.
class ScanWindow {
public:
    virtual ~ScanWindow() = default;
    virtual void SetProgressPos(uint32_t position) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Adds a line to the sorted result list and fits its horizontal extent.
    virtual void AddResultLine(const std::string& line) = 0;
    virtual void SignalScanEvent() = 0;
};
