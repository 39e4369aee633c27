#pragma once
// Byte blocks: an owned run of bytes with its length. Empty means "nothing".
#include <cstdint>
#include <vector>

namespace dock {

using Bytes = std::vector<std::uint8_t>;

}  // namespace dock
