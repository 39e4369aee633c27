#include "items/icon_source_win32.h"

#include <cstdint>

#include "items/icon_extraction.h"
#include "support/handles_win32.h"

namespace dock {
namespace {

// Never LoadLibraryA: it would run the DllMain of whatever was dropped.
// As an image resource a 32-bit module loads as well as a 64-bit one.
UniqueModule loadAsData(const std::string& path) {
    if (path.empty()) return UniqueModule();
    return UniqueModule(::LoadLibraryExA(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// Nothing checks a resource's data entry against the module: a crafted file
// can point it past the mapped image or give it a size near 2 GiB. Its bytes
// are copied only when all of them lie in readable pages of the module's own
// mapping.
bool insideModule(HMODULE module, const std::uint8_t* data, DWORD size) {
    MEMORY_BASIC_INFORMATION region;
    // A module loaded as data has tag bits in its handle, which still points
    // into the image's first page.
    if (::VirtualQuery(module, &region, sizeof region) == 0) return false;
    const void* image = region.AllocationBase;
    const auto end = reinterpret_cast<std::uintptr_t>(data) + size;
    for (auto at = reinterpret_cast<std::uintptr_t>(data); at < end;) {
        if (::VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == 0)
            return false;
        if (region.AllocationBase != image || region.State != MEM_COMMIT ||
            (region.Protect & kReadable) == 0 || (region.Protect & PAGE_GUARD) != 0)
            return false;
        at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

}  // namespace

Bytes loadResourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
    HRSRC found = ::FindResourceA(module, name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    if (loaded == nullptr) return {};
    const auto* data = static_cast<const std::uint8_t*>(::LockResource(loaded));
    const DWORD size = ::SizeofResource(module, found);
    Bytes copy;
    if (data != nullptr && size != 0 && insideModule(module, data, size))
        copy.assign(data, data + size);
    // A no-op on Win32, kept so that every LoadResource has its release.
    ::FreeResource(loaded);
    return copy;
}

BOOL CALLBACK collectIconResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR context) {
    auto& resources = *reinterpret_cast<IconResources*>(context);
    const ULONG_PTR kind = reinterpret_cast<ULONG_PTR>(type);
    if (kind == reinterpret_cast<ULONG_PTR>(RT_GROUP_ICON)) {
        Bytes data = loadResourceBytes(module, type, name);
        if (!data.empty()) resources.iconGroups.push_back(std::move(data));
    } else if (kind == reinterpret_cast<ULONG_PTR>(RT_ICON) && IS_INTRESOURCE(name)) {
        // Groups name their images by number, so a named image is never chosen.
        Bytes data = loadResourceBytes(module, type, name);
        if (!data.empty()) {
            resources.iconImages.push_back(std::move(data));
            resources.iconIds.push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
        }
    }
    return TRUE;
}

std::optional<IconResources> Win32IconSource::ReadIconResources(const std::string& modulePath,
                                                                std::int32_t drawnSize) {
    UniqueModule module = loadAsData(modulePath);
    if (!module) return std::nullopt;
    IconResources resources;
    ::EnumResourceNamesA(module.get(), RT_GROUP_ICON, collectIconResource,
                         reinterpret_cast<LONG_PTR>(&resources));
    if (resources.iconGroups.empty()) return resources;
    // Numeric names are unique within a type, so the image found by id is the
    // one a full enumeration would have listed first under that id.
    const IconChoice choice = chooseIconEntry(resources.iconGroups.front(), drawnSize);
    if (choice.id != 0) {
        Bytes image = loadResourceBytes(module.get(), RT_ICON, MAKEINTRESOURCEA(choice.id));
        if (!image.empty()) {
            resources.iconImages.push_back(std::move(image));
            resources.iconIds.push_back(choice.id);
        }
    }
    return resources;
}

}  // namespace dock
