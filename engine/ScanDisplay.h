#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// What the workers want the window to show while a walk runs: the status text and the progress
// position as last published, and every result line published since the last take. A worker
// publishes and goes on, never waiting for the window; the interface thread takes what is new at
// display rate, and before any request of its own, so everything published lands before what is
// asked after it. A publish reports whether it is the first since the last take: then the
// interface thread is to be woken, once.
class ScanDisplay {
public:
    struct Changes {
        std::optional<std::string> status;
        std::optional<uint32_t> progress;
        std::vector<std::string> lines;
    };

    bool PublishStatus(const std::string& text);
    bool PublishProgress(uint32_t position);
    bool PublishLine(const std::string& line);

    // Everything new since the last take; the next publish asks for a wake again.
    Changes Take();

private:
    // Under the lock: whether the interface thread still has to be told.
    bool Changed();

    std::mutex m_lock;
    Changes m_changes;
    bool m_bWoken = false;
};
