#pragma once
// The lead bytes of the code page the system's ANSI calls use.
#include "support/text.h"

namespace dock {

// Read from the system byte by byte: the bytes 0x81..0xFE on code page 936,
// none on a single-byte code page such as 1252.
LeadBytes SystemLeadBytes();

}  // namespace dock
