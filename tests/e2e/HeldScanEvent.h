#pragma once

#include <windows.h>

// The scan event "Event", held by this process as another running copy of the program would hold
// it: the program's walk waits until it is released.
class HeldScanEvent {
public:
    HeldScanEvent() : m_hEvent(CreateEventA(nullptr, FALSE, FALSE, "Event")) {}
    ~HeldScanEvent() { CloseHandle(m_hEvent); }
    HeldScanEvent(const HeldScanEvent&) = delete;
    HeldScanEvent& operator=(const HeldScanEvent&) = delete;
    void Release() { SetEvent(m_hEvent); }
    // Holds it again once a walk has signalled it.
    void Hold() { ResetEvent(m_hEvent); }

private:
    HANDLE m_hEvent;
};
