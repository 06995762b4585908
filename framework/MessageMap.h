#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

// One row of a message map: what it matches and the typed handler it calls. Rows are built
// by the MapMessage/MapCommand/MapNotify/MapCtlColor templates of "framework/MessageMapRows.h",
// which only compile when the handler has the signature its message calls for.
struct MessageMapEntry {
    enum class Match : unsigned char { Message, MessageRange, Command, Notify };
    Match match;
    UINT first;   // the message, or the first of a range
    UINT last;    // the last message of a range
    UINT_PTR id;  // control or command id (Command, Notify)
    UINT code;    // notification code (Command, Notify)
    void (*invoke)(CWnd& self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool Matches(UINT message, WPARAM wParam, LPARAM lParam) const;
};

// A class's table of rows and its base class's table. Dispatch walks the rows of the most
// derived class in order, then those of each base; the first row that matches handles the message.
struct MessageMap {
    const MessageMap* base = nullptr;
    const MessageMapEntry* entries = nullptr;
    std::size_t count = 0;

    constexpr explicit MessageMap(const MessageMap* baseMap) : base(baseMap) {}
    template <std::size_t N>
    constexpr MessageMap(const MessageMap* baseMap, const MessageMapEntry (&rows)[N])
        : base(baseMap), entries(rows), count(N) {}
};
