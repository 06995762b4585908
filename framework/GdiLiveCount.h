#pragma once

#include <atomic>

// Counts the GDI wrappers (device contexts and drawing objects) that currently own a system
// handle. A test reads it before and after repeated paints to show that nothing is left behind.
class GdiLiveCount {
public:
    static long Live() { return s_live.load(std::memory_order_relaxed); }
    static void Acquired() { s_live.fetch_add(1, std::memory_order_relaxed); }
    static void Released() { s_live.fetch_sub(1, std::memory_order_relaxed); }

private:
    static inline std::atomic<long> s_live{0};
};
