// The text operations and the path rules on arbitrary bytes: no crash, no
// out-of-bounds read, and the invariants every caller relies on.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "items/add_item.h"
#include "support/text.h"

using dock::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::int32_t number = TextToInt(text);
    require(TextToInt(IntToText(number)) == number);
    require(TextToInt16(text) == static_cast<std::int16_t>(number));

    const std::string lowered = LowerAscii(text);
    require(lowered.size() == text.size());
    require(LowerAscii(lowered) == lowered);

    const std::string extension = fileExtension(text);
    require(extension.size() <= text.size());
    const std::string title = deriveTitle(text, extension);
    require(title.size() <= text.size());
    return 0;
}
