#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

// The status-line texts worker threads have asked for and the interface thread has yet to carry
// out, oldest first. A worker appends and goes on instead of waiting for each text; it tells the
// interface thread once per emptying of the queue, and waits for a drain once the queue is full.
// Each text is a copy, so nothing queued points into a worker's stack.
class StatusTextQueue {
public:
    explicit StatusTextQueue(std::size_t bound) : m_bound(bound) {}
    StatusTextQueue(const StatusTextQueue&) = delete;
    StatusTextQueue& operator=(const StatusTextQueue&) = delete;

    // What an append asks of the worker that made it.
    struct Appended {
        // The interface thread has not been told of any text since the queue last emptied.
        bool wake = false;
        // The queue holds its bound: wait until the interface thread has drained it.
        bool full = false;
    };
    Appended Append(std::string text);

    // Carries out, oldest first, the texts queued when it was called, each outside the lock so
    // workers keep appending meanwhile. True when texts appended since are left; once it finds
    // the queue empty, the next append asks for a wake again. The interface thread's alone.
    bool Drain(const std::function<void(const std::string&)>& carryOut);

    // Forgets every queued text (the window that would show them is gone).
    void Clear();

private:
    const std::size_t m_bound;
    std::mutex m_lock;
    std::deque<std::string> m_texts;
    bool m_bWoken = false;
};
