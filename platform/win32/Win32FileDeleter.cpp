#include "platform/win32/Win32FileDeleter.h"

#include <windows.h>

void Win32FileDeleter::Delete(const std::string& path) {
    DeleteFileA(path.c_str());
}
