#pragma once

#include <atomic>
#include <cstdint>
#include <limits>

// Sizes stay 64-bit until they become the 32-bit KB counters, which stop at their maximum
// instead of wrapping round to a small number.
constexpr uint32_t kMaxKB = std::numeric_limits<uint32_t>::max();

constexpr uint32_t ClampToKB(uint64_t value) {
    return value > kMaxKB ? kMaxKB : static_cast<uint32_t>(value);
}

// A file's size in whole kilobytes, rounded down.
constexpr uint32_t SizeInKB(uint64_t bytes) { return ClampToKB(bytes >> 10); }

constexpr uint32_t SaturatingAdd(uint32_t total, uint64_t amount) {
    return ClampToKB(static_cast<uint64_t>(total) + amount);
}

inline void SaturatingAdd(std::atomic<uint32_t>& total, uint64_t amount) {
    uint32_t current = total.load(std::memory_order_relaxed);
    while (!total.compare_exchange_weak(current, SaturatingAdd(current, amount), std::memory_order_relaxed)) {
    }
}
