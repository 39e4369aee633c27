#pragma once
// Calls that some supported systems lack, looked up when the dock runs.
#include <windows.h>

#include <string>

#include "support/handles_win32.h"

namespace dock {

// The function `name` of a module the process has loaded, or null.
template <typename Function>
Function moduleFunction(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The function `name` of a system library among the program's imports.
template <typename Function>
Function systemFunction(const char* library, const char* name) {
    return moduleFunction<Function>(::GetModuleHandleA(library), name);
}

// A system library that is not among the imports, loaded from the system
// folder by its full path: the program's own folder, which a user may fill
// with anything, is never searched.
inline UniqueModule loadSystemLibrary(const char* library) {
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::string path = std::string(folder, length) + "\\" + library;
    return UniqueModule(::LoadLibraryA(path.c_str()));
}

}  // namespace dock
