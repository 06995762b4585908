#pragma once

// The scan event: auto-reset, shared by name with every running copy of the program, so a walk
// waits while another copy's walk runs. A walk waits for it before it starts and signals it as it
// stops or ends.
class ScanEvent {
public:
    virtual ~ScanEvent() = default;
    // Closes the event this object holds, then creates it signalled, or opens the one another
    // running copy holds, in whatever state it is. False when the system could not.
    virtual bool Create() = 0;
    virtual void Wait() = 0;
    virtual void Signal() = 0;
};
