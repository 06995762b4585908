#pragma once

// Lead bytes of code page 936 (GBK): 0x81-0xFE. The portable default for the lead-byte test;
// on Windows the system's own answer is used.
inline bool IsCp936LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
