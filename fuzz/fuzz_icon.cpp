// The .ico assembly from hostile icon groups and images: the result is either
// nothing, the 6-byte header, or a complete one-image file whose directory
// entry describes exactly the image that follows it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "fuzz_support.h"
#include "items/icon_extraction.h"

namespace {

std::uint32_t le32(const dock::Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

}  // namespace

using dock::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    dock::IconResources resources;
    const int groups = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < groups; ++i) {
        resources.iconGroups.push_back(
            input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 200)));
    }
    const int images = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < images; ++i) {
        resources.iconIds.push_back(input.ConsumeIntegralInRange(0, 8));
        resources.iconImages.push_back(
            input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(1, 64)));
    }

    const dock::Bytes icon = dock::assembleIcon(resources);
    if (resources.iconGroups.empty()) {
        require(icon.empty());
        return 0;
    }
    require(icon.size() >= 6);
    require(icon[4] == 1 && icon[5] == 0);
    if (icon.size() > 6) {
        require(icon.size() >= 22);
        require(le32(icon, 18) == 22);
        require(le32(icon, 14) == icon.size() - 22);
    }
    return 0;
}
