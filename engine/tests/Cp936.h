#pragma once

#include "engine/LeadBytePredicate.h"

// Lead bytes of code page 936, for tests that do not ask the system.
inline const LeadBytePredicate kCp936LeadByte = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
