#include "features/autostart/start_with_windows.h"

namespace dock {
namespace {

std::string_view unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

bool startsThisProgram(RunKeyPort& runKey, const std::string& name, std::string_view programPath,
                       const LeadBytes& leadBytes) {
    const std::optional<std::string> value = runKey.RunValue(name);
    return value.has_value() &&
           LowerAscii(unquoted(*value), leadBytes) == LowerAscii(programPath, leadBytes);
}

}  // namespace

std::string plainRunValueName(std::string_view programPath, const LeadBytes& leadBytes) {
    const std::size_t slash = FindLastCharacter(programPath, '\\', leadBytes);
    std::string_view name =
        slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
    const std::size_t dot = FindLastCharacter(name, '.', leadBytes);
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

std::string runValueName(std::string_view programPath, const LeadBytes& leadBytes) {
    return Concat(plainRunValueName(programPath, leadBytes), " (", programPath, ")");
}

bool startsWithWindows(RunKeyPort& runKey, std::string_view programPath,
                       const LeadBytes& leadBytes) {
    if (programPath.empty()) return false;
    return startsThisProgram(runKey, runValueName(programPath, leadBytes), programPath,
                             leadBytes) ||
           startsThisProgram(runKey, plainRunValueName(programPath, leadBytes), programPath,
                             leadBytes);
}

void toggleStartWithWindows(RunKeyPort& runKey, std::string_view programPath,
                            const LeadBytes& leadBytes) {
    // Without its own path the program has nothing to name or start.
    if (programPath.empty()) return;
    bool removed = false;
    for (const std::string& name :
         {runValueName(programPath, leadBytes), plainRunValueName(programPath, leadBytes)}) {
        if (!startsThisProgram(runKey, name, programPath, leadBytes)) continue;
        runKey.DeleteRunValue(name);
        removed = true;
    }
    if (!removed)
        runKey.SetRunValue(runValueName(programPath, leadBytes), Concat("\"", programPath, "\""));
}

}  // namespace dock
