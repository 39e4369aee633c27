#pragma once
// Where the running executable lives.
#include <string>

namespace dock {

// The executable's full path as GetModuleFileNameA reports it; empty when
// the system cannot tell.
std::string ProgramPath();
// The executable's directory, without the trailing backslash
// (C:\Tools\dock.exe gives C:\Tools).
std::string ProgramDirectory();

}  // namespace dock
