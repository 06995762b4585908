#pragma once

// <chrono> itself holds a literal GBK cannot encode; steady_clock comes with <thread>.
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "cli/CliMessages.h"
#include "cli/Console.h"
#include "engine/LeadBytePredicate.h"

// What the progress line shows: files and MB walked so far and the folder being listed.
struct ProgressSample {
    uint64_t files = 0;
    uint32_t scannedKB = 0;
    std::string folder;
};

// The tail of text that fits in columns, led by "..." when something was cut. Characters are
// told apart with the lead-byte test, or as UTF-8 without one; a wide (non-ASCII) character
// takes two columns.
std::string FitTail(const std::string& text, std::size_t columns, const LeadBytePredicate& isLeadByte);

// "已扫描 1200 个文件，35 MB，每秒 4000 个 " (GBK), or the same in English: the line before its folder.
std::string ProgressPrefix(const CliMessages& messages, const ProgressSample& sample, double seconds);

// A line on the terminal's standard error that a thread of its own redraws a few times a second
// while the walk runs, and erases at the end. Other output to the same terminal goes through
// Print, which takes the line away first.
class ProgressLine {
public:
    ProgressLine(const Console& console, const CliMessages& messages, std::FILE* stream,
                 std::function<ProgressSample()> sample, LeadBytePredicate isLeadByte);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Start();
    // Stops the thread and erases the line.
    void Stop();
    // Writes text to out; when out shows on the same terminal, the line is erased first. Text
    // for a terminal goes out at once, for a pipe or a file when the stream's buffer is full.
    void Print(std::FILE* out, const std::string& text);

private:
    void Loop();
    void EraseLocked();

    const Console& m_console;
    const CliMessages& m_messages;
    std::FILE* m_stream;
    std::function<ProgressSample()> m_sample;
    LeadBytePredicate m_isLeadByte;
    std::chrono::steady_clock::time_point m_started;

    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_bStop = false;
    bool m_bRunning = false;
    std::size_t m_shownColumns = 0;
    std::FILE* m_printedTo = nullptr;
    bool m_printedToTerminal = false;
    std::thread m_thread;
};
