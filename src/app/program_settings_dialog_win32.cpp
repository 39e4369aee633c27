#include "app/program_settings_dialog_win32.h"

#include <string>

#include "resource_ids.h"
#include "app/program_settings.h"
#include "support/dialog_win32.h"

namespace dock {
namespace {

void setCheck(HWND dialog, int id, bool on) {
    ::CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool isChecked(HWND dialog, int id) {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::string numberText(HWND dialog, int id) {
    char buffer[kNumberFieldBufferSize] = {};
    const int length = ::GetWindowTextA(::GetDlgItem(dialog, id), buffer, kNumberFieldBufferSize);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void fill(HWND dialog, Dock* dock) {
    if (dock == nullptr) return;
    const ProgramSettingsForm form = programSettingsForm(dock->settings);
    setCheck(dialog, IDC_PROGRAM_HIGH_QUALITY, form.highQuality);
    setCheck(dialog, IDC_PROGRAM_REFLECTION, form.reflection);
    setCheck(dialog, IDC_PROGRAM_AUTO_SNAP, form.autoSnap);
    setCheck(dialog, IDC_PROGRAM_FLOAT_BOTH_WAYS, form.floatBothWays);
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_PROGRAM_FLOAT_DISTANCE), form.floatDistance.c_str());
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_PROGRAM_COOLDOWN), form.launchCooldown.c_str());
}

void save(HWND dialog, Dock* dock) {
    if (dock == nullptr) {
        ::EndDialog(dialog, 0);
        return;
    }
    ProgramSettingsForm form;
    form.highQuality = isChecked(dialog, IDC_PROGRAM_HIGH_QUALITY);
    form.reflection = isChecked(dialog, IDC_PROGRAM_REFLECTION);
    form.autoSnap = isChecked(dialog, IDC_PROGRAM_AUTO_SNAP);
    form.floatBothWays = isChecked(dialog, IDC_PROGRAM_FLOAT_BOTH_WAYS);
    form.floatDistance = numberText(dialog, IDC_PROGRAM_FLOAT_DISTANCE);
    form.launchCooldown = numberText(dialog, IDC_PROGRAM_COOLDOWN);
    storeProgramSettings(dock->settings, form);
    ::EndDialog(dialog, 0);  // closes once the procedure returns
    applyProgramSettings(*dock);
}

void command(HWND dialog, Dock* dock, WORD id) {
    if (id == IDC_PROGRAM_SAVE) save(dialog, dock);
}

constexpr SettingsDialog<Dock> kHandlers{fill, command, IDC_PROGRAM_CANCEL};

}  // namespace

INT_PTR CALLBACK programSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    return settingsDialogMessage(kHandlers, dialog, message, wParam, lParam);
}

void runProgramSettingsDialog(Dock& dock, HINSTANCE instance) {
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROGRAM_SETTINGS), nullptr,
                      programSettingsDialogProc, reinterpret_cast<LPARAM>(&dock));
}

}  // namespace dock
