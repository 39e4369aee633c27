// The text operations and the path rules on arbitrary bytes, under an
// arbitrary set of lead bytes: no crash, no out-of-bounds read, and the
// invariants every caller relies on.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "app/launch.h"
#include "fuzz_support.h"
#include "items/add_item.h"
#include "support/text.h"

using dock::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    FuzzedDataProvider input(data, size);
    const LeadBytes leadBytes = fuzz::consumeLeadBytes(input);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::int32_t number = TextToInt(text);
    require(TextToInt(IntToText(number)) == number);
    require(TextToInt16(text) == static_cast<std::int16_t>(number));

    const std::string lowered = LowerAscii(text, leadBytes);
    require(lowered.size() == text.size());
    require(LowerAscii(lowered, leadBytes) == lowered);

    const std::size_t separator = FindLastCharacter(text, '\\', leadBytes);
    require(separator == std::string::npos || text[separator] == '\\');

    const std::string extension = fileExtension(text, leadBytes);
    require(extension.size() <= text.size());
    const std::string title = deriveTitle(text, extension, leadBytes);
    require(title.size() <= text.size());

    const std::string directory = workingDirectory(text, leadBytes);
    require(directory.empty() || (directory.size() <= text.size() && directory.back() == '\\'));
    return 0;
}
