#include "framework/MessageMap.h"

bool MessageMapEntry::Matches(UINT message, WPARAM wParam, LPARAM lParam) const {
    switch (match) {
        case Match::Message:
            return message == first;
        case Match::MessageRange:
            return message >= first && message <= last;
        case Match::Command:
            return message == WM_COMMAND && LOWORD(wParam) == id && HIWORD(wParam) == code;
        case Match::Notify: {
            if (message != WM_NOTIFY || lParam == 0) return false;
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            return header->idFrom == id && header->code == code;
        }
    }
    return false;
}
