#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "items/icon_source_win32.h"
#include "support/handles_win32.h"

namespace dock {
namespace {

// Whatever the caller names is loaded as a shortcut: a path that does not end
// in ".lnk" (in any case) gets the suffix.
std::string withLinkSuffix(const std::string& path) {
    const int length = ::lstrlenA(path.c_str());
    if (length > 4 && ::lstrcmpiA(path.c_str() + (length - 4), ".lnk") == 0) return path;
    return path + ".lnk";
}

std::wstring toWide(const std::string& text) {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0) return {};
    std::vector<wchar_t> wide(static_cast<std::size_t>(size));
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
    return std::wstring(wide.data());
}

}  // namespace

std::string resolveShortcut(const std::string& shortcutPath) {
    ComScope com;
    ComPtr<IShellLinkA> link;
    ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                       link.putVoid());
    if (!link) return {};
    ComPtr<IPersistFile> file;
    link->QueryInterface(IID_IPersistFile, file.putVoid());
    if (!file) return {};

    const std::wstring widePath = toWide(withLinkSuffix(shortcutPath));
    file->Load(widePath.c_str(), STGM_READ);
    // A failed Load leaves the link empty, and GetPath then leaves the buffer so.
    char target[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    target[MAX_PATH - 1] = '\0';
    return std::string(target);
}

std::string Win32IconSource::ResolveShortcut(const std::string& shortcutPath) {
    return resolveShortcut(shortcutPath);
}

}  // namespace dock
