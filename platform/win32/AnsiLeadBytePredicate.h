#pragma once

#include "engine/LeadBytePredicate.h"

// The lead-byte test of the system's ANSI code page (code page 936 on the systems we ship to),
// the code page every narrow path the program handles is in.
LeadBytePredicate AnsiLeadBytePredicate();
