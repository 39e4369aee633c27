#include "features/arranging/add_items_dialog_win32.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "features/arranging/chosen_files.h"
#include "support/texts.h"

namespace dock {
namespace {

// Room for a few hundred names chosen at once; a selection that does not fit
// fails the dialog and adds nothing.
constexpr DWORD kChosenFilesBufferSize = 65536;

std::string addItemsFilter() {
    std::string filter;
    for (std::string_view part : {texts::kProgramsFilterName, std::string_view("*.exe;*.lnk"),
                                  texts::kAllFilesFilterName, std::string_view("*.*")}) {
        filter.append(part);
        filter.push_back('\0');
    }
    return filter;
}

}  // namespace

void addItemsFromDialog(Dock& dock, HINSTANCE instance) {
    const std::string filter = addItemsFilter();
    const std::string title(texts::kAddItemsTitle);
    std::vector<char> buffer(kChosenFilesBufferSize, '\0');
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = nullptr;
    request.hInstance = instance;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = kChosenFilesBufferSize;
    request.lpstrTitle = title.c_str();
    // A chosen shortcut is added as the shortcut, as a dropped one is.
    request.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                    OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_NODEREFERENCELINKS;
    if (!::GetOpenFileNameA(&request)) return;
    addChosenFiles(dock,
                   chosenFilePaths(std::string_view(buffer.data(), buffer.size()), dock.leadBytes));
}

}  // namespace dock
