#pragma once

#include "engine/ScanEvent.h"
#include "platform/win32/UniqueHandle.h"

// The scan event as a named kernel event, which every running copy of the program opens.
class Win32ScanEvent : public ScanEvent {
public:
    bool Create() override;
    void Wait() override;
    void Signal() override;

private:
    UniqueHandle m_event;
};
