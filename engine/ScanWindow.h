#pragma once

#include <cstdint>
#include <string>

// The four things the walk does to the window. The dialog carries each out on the interface
// thread while the walk waits, so they take effect in the order made.
class ScanWindow {
public:
    virtual ~ScanWindow() = default;
    virtual void SetProgressPos(uint32_t position) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Adds a line to the sorted result list and fits its horizontal extent.
    virtual void AddResultLine(const std::string& line) = 0;
    virtual void SignalScanEvent() = 0;
};
