#include "platform/win32/Win32ScanEvent.h"

namespace {

// The event's name, shared with every running copy of the program.
const char* const kScanEventName = "Event";

}  // namespace

bool Win32ScanEvent::Create() {
    m_event.Reset();
    // Auto-reset, created signalled; an event of that name that another copy holds is opened
    // as it stands, so this copy's walk waits until that copy's walk ends or stops.
    m_event.Reset(CreateEventA(nullptr, FALSE, TRUE, kScanEventName));
    return static_cast<bool>(m_event);
}

void Win32ScanEvent::Wait() { WaitForSingleObject(m_event.Get(), INFINITE); }

void Win32ScanEvent::Signal() { SetEvent(m_event.Get()); }
