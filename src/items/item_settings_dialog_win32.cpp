#include "items/item_settings_dialog_win32.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>

#include "resource_ids.h"
#include "support/dialog_win32.h"
#include "support/texts.h"

namespace dock {
namespace {

DockItem* editedItem(ItemSettingsRun* run) {
    if (run == nullptr) return nullptr;
    DockState& state = run->dock.state;
    if (!state.items.Contains(state.commands.editedItemIndex)) return nullptr;
    return &state.items[state.commands.editedItemIndex].item;
}

std::string fieldText(HWND dialog, int id) {
    char buffer[kItemFieldBufferSize] = {};
    const int length = ::GetWindowTextA(::GetDlgItem(dialog, id), buffer, kItemFieldBufferSize);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void fill(HWND dialog, ItemSettingsRun* run) {
    const DockItem* item = editedItem(run);
    if (item == nullptr) return;
    ::SetWindowTextA(dialog, itemSettingsCaption(*item).c_str());
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_ITEM_TITLE), item->title.c_str());
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_ITEM_ICON), item->customIconPath.c_str());
    const auto value = static_cast<std::intptr_t>(static_cast<std::int16_t>(item->hotkey));
    ::SendMessageA(::GetDlgItem(dialog, IDC_ITEM_HOTKEY), HKM_SETHOTKEY, static_cast<WPARAM>(value),
                   0);
}

void browse(HWND dialog, ItemSettingsRun* run) {
    if (run == nullptr) return;
    prepareIconBrowse(run->browse, dialog, run->instance, run->dock.programDirectory);
    if (::GetOpenFileNameA(&run->browse.request) != 0) {
        ::SetWindowTextA(::GetDlgItem(dialog, IDC_ITEM_ICON), run->browse.file);
    }
}

void save(HWND dialog, ItemSettingsRun* run) {
    if (editedItem(run) != nullptr) {
        ItemSettingsForm form;
        form.title = fieldText(dialog, IDC_ITEM_TITLE);
        form.customIconPath = fieldText(dialog, IDC_ITEM_ICON);
        form.hotkey =
            LOWORD(::SendMessageA(::GetDlgItem(dialog, IDC_ITEM_HOTKEY), HKM_GETHOTKEY, 0, 0));
        saveItemSettings(run->dock, run->dock.state.commands.editedItemIndex, form);
    }
    ::EndDialog(dialog, 0);
}

void command(HWND dialog, ItemSettingsRun* run, WORD id) {
    if (id == IDC_ITEM_BROWSE) browse(dialog, run);
    if (id == IDC_ITEM_SAVE) save(dialog, run);
}

constexpr SettingsDialog<ItemSettingsRun> kHandlers{fill, command, IDC_ITEM_CANCEL};

}  // namespace

void prepareIconBrowse(IconBrowseRequest& browse, HWND owner, HINSTANCE instance,
                       const std::string& programDirectory) {
    OPENFILENAMEA& r = browse.request;
    browse.filter = iconFileFilter();
    browse.initialDirectory = programDirectory;
    std::memset(browse.file, ' ', kItemFieldBufferSize - 1);
    browse.file[kItemFieldBufferSize - 1] = '\0';
    std::memset(browse.fileTitle, ' ', kItemFieldBufferSize - 1);
    browse.fileTitle[kItemFieldBufferSize - 1] = '\0';
    // The pre-Windows 2000 layout, as the program always asked for.
    r.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    r.hwndOwner = owner;
    r.hInstance = instance;
    r.lpstrFilter = browse.filter.c_str();
    r.lpstrFile = browse.file;
    r.nMaxFile = kItemFieldBufferSize;
    r.lpstrFileTitle = browse.fileTitle;
    r.nMaxFileTitle = kItemFieldBufferSize;
    r.lpstrInitialDir = browse.initialDirectory.c_str();
    r.lpstrTitle = texts::kBrowseTitle.data();
}

INT_PTR CALLBACK itemSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return settingsDialogMessage(kHandlers, dialog, message, wParam, lParam);
}

void runItemSettingsDialog(Dock& dock, HINSTANCE instance, IconBrowseRequest& browse) {
    // The hotkey control's class must be registered before the template is built.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&classes);
    ItemSettingsRun run{dock, instance, browse};
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ITEM_SETTINGS), nullptr,
                      itemSettingsDialogProc, reinterpret_cast<LPARAM>(&run));
}

}  // namespace dock
