#include "platform/win32/AnsiLeadBytePredicate.h"

#include <windows.h>

LeadBytePredicate AnsiLeadBytePredicate() {
    return [](unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; };
}
