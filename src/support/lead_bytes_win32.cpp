#include "support/lead_bytes_win32.h"

#include <windows.h>

#include <array>

namespace dock {

LeadBytes SystemLeadBytes() {
    std::array<bool, 256> leads{};
    for (std::size_t byte = 0; byte < leads.size(); ++byte)
        leads[byte] = ::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(byte)) != FALSE;
    return LeadBytes(leads);
}

}  // namespace dock
