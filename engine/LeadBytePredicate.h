#pragma once

#include <functional>

// Tells whether a byte starts a double-byte character in the ANSI code page in use
// (code page 936: 0x81-0xFE). Text is never split or case-folded byte by byte without it.
using LeadBytePredicate = std::function<bool(unsigned char)>;
