#include "cli/ProgressLine.h"

#include <vector>

namespace {

constexpr auto kRedrawEvery = std::chrono::milliseconds(250);
const std::string kCut = "...";

// Where each character of text begins.
std::vector<std::size_t> CharacterStarts(const std::string& text, const LeadBytePredicate& isLeadByte) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte) {
            starts.push_back(i);
            if (byte >= 0x80 && isLeadByte(byte) && i + 1 < text.size()) ++i;
        } else if ((byte & 0xC0) != 0x80) {
            starts.push_back(i);
        }
    }
    return starts;
}

// Columns of each character: one for ASCII, two for any other (the wide characters of Chinese).
std::vector<std::size_t> CharacterWidths(const std::string& text, const std::vector<std::size_t>& starts) {
    std::vector<std::size_t> widths;
    widths.reserve(starts.size());
    for (const std::size_t start : starts)
        widths.push_back(static_cast<unsigned char>(text[start]) < 0x80 ? 1 : 2);
    return widths;
}

std::size_t ColumnsOf(const std::string& text, const LeadBytePredicate& isLeadByte) {
    std::size_t columns = 0;
    for (const std::size_t width : CharacterWidths(text, CharacterStarts(text, isLeadByte))) columns += width;
    return columns;
}

}  // namespace

std::string FitTail(const std::string& text, std::size_t columns, const LeadBytePredicate& isLeadByte) {
    const std::vector<std::size_t> starts = CharacterStarts(text, isLeadByte);
    const std::vector<std::size_t> widths = CharacterWidths(text, starts);
    std::size_t total = 0;
    for (const std::size_t width : widths) total += width;
    if (total <= columns) return text;
    if (columns < kCut.size()) return std::string();
    std::size_t used = kCut.size();
    std::size_t first = starts.size();
    while (first > 0 && used + widths[first - 1] <= columns) {
        --first;
        used += widths[first];
    }
    return kCut + (first < starts.size() ? text.substr(starts[first]) : std::string());
}

std::string ProgressPrefix(const CliMessages& messages, const ProgressSample& sample, double seconds) {
    const auto perSecond =
        seconds > 0 ? static_cast<uint64_t>(static_cast<double>(sample.files) / seconds) : 0;
    return messages.Text(
        CliMessage::Progress,
        {std::to_string(sample.files), std::to_string(sample.scannedKB >> 10), std::to_string(perSecond)});
}

ProgressLine::ProgressLine(const Console& console, const CliMessages& messages, std::FILE* stream,
                           std::function<ProgressSample()> sample, LeadBytePredicate isLeadByte)
    : m_console(console),
      m_messages(messages),
      m_stream(stream),
      m_sample(std::move(sample)),
      m_isLeadByte(std::move(isLeadByte)) {}

ProgressLine::~ProgressLine() { Stop(); }

void ProgressLine::Start() {
    std::lock_guard lock(m_lock);
    if (m_bRunning) return;
    m_started = std::chrono::steady_clock::now();
    m_bStop = false;
    m_bRunning = true;
    m_thread = std::thread([this] { Loop(); });
}

void ProgressLine::Stop() {
    {
        std::lock_guard lock(m_lock);
        if (!m_bRunning) return;
        m_bStop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    std::lock_guard lock(m_lock);
    EraseLocked();
    m_bRunning = false;
}

void ProgressLine::Print(std::FILE* out, const std::string& text) {
    std::lock_guard lock(m_lock);
    // The terminal test is a system call: once per stream.
    if (out != m_printedTo) {
        m_printedTo = out;
        m_printedToTerminal = Console::IsTerminal(out);
    }
    if (m_shownColumns > 0 && out != m_stream && m_printedToTerminal) EraseLocked();
    std::fwrite(text.data(), 1, text.size(), out);
    // A terminal shows each line at once; a pipe or a file takes them a buffer at a time.
    if (m_printedToTerminal) std::fflush(out);
}

void ProgressLine::Loop() {
    std::unique_lock lock(m_lock);
    while (!m_wake.wait_for(lock, kRedrawEvery, [this] { return m_bStop; })) {
        lock.unlock();
        const ProgressSample sample = m_sample();
        lock.lock();
        if (m_bStop) break;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
        const std::string prefix = ProgressPrefix(m_messages, sample, seconds);
        // One column spare: a line that fills the last column wraps on some terminals.
        const std::size_t columns = Console::Columns(m_stream);
        const std::size_t room = columns > prefix.size() + 1 ? columns - prefix.size() - 1 : 0;
        const std::string folder = FitTail(sample.folder, room, m_isLeadByte);
        // A GBK prefix takes as many columns as it has bytes.
        const std::size_t shown = prefix.size() + ColumnsOf(folder, m_isLeadByte);
        EraseLocked();
        const std::string line = m_console.Text(prefix) + folder;
        std::fwrite(line.data(), 1, line.size(), m_stream);
        std::fflush(m_stream);
        m_shownColumns = shown;
    }
}

void ProgressLine::EraseLocked() {
    if (m_shownColumns == 0) return;
    std::string blank(m_shownColumns + 2, ' ');
    blank.front() = '\r';
    blank.back() = '\r';
    std::fwrite(blank.data(), 1, blank.size(), m_stream);
    std::fflush(m_stream);
    m_shownColumns = 0;
}
