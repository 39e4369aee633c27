#include "config/show_message.h"

#include <string>

#include "support/texts.h"

namespace dock {

int ShowMessage(MessagePort& messages, std::string_view text, std::uint32_t style,
                std::string_view caption) {
    const std::string_view shownCaption = caption.empty() ? texts::kInformationCaption : caption;
    return messages.ShowMessageBox(std::string(text), std::string(shownCaption), style) - 1;
}

}  // namespace dock
