#pragma once
// A scratch folder per test, and a dock dialog created from the real
// resources in the test process.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../wait_until.h"
#include "config/configuration.h"
#include "app/dock_window_win32.h"
#include "resource_ids.h"

namespace dock::wine {

inline std::string readFileText(const std::string& path) {
    std::string text;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    ::CloseHandle(file);
    return text;
}

inline void writeFileText(const std::string& path, std::string_view text) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

inline bool exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string moduleDirectory() {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.rfind('\\'));
}

// A fresh empty folder, removed with its files afterwards.
class ScratchFolder {
  public:
    ScratchFolder() {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        static int counter = 0;
        path_ = std::string(base) + "docktest_" + std::to_string(::GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileA((path_ + "\\" + found.cFileName).c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// A shell whose clock the test sets; launches are recorded and, when
// `forward` is set, carried out by the real shell.
class TestShell final : public ShellPort {
  public:
    struct Launched {
        std::string file, directory;
        bool operator==(const Launched&) const = default;
    };
    HWND window = nullptr;
    std::uint32_t tick = 0;
    bool forward = false;
    std::vector<Launched> launched;

    bool Launch(const std::string& file, const std::string& directory) override {
        launched.push_back({file, directory});
        return !forward || real_.Launch(file, directory);
    }
    bool OpenWith(const std::string& program, const std::string& parameters,
                  const std::string& directory) override {
        return real_.OpenWith(program, parameters, directory);
    }
    std::uint32_t TickCount() override { return tick; }
    std::vector<TopLevelWindow> TopLevelWindows() override { return real_.TopLevelWindows(); }
    std::string ProcessImage(std::uint32_t processId) override {
        return real_.ProcessImage(processId);
    }
    void BringToFront(std::uintptr_t window) override { real_.BringToFront(window); }

  private:
    Win32Shell real_{window};
};

// Where the dialog manager centres dialog 1000 on this display.
inline POINT centredDialogPosition() {
    HWND probe = ::CreateDialogParamA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DOCK), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    RECT rect{};
    ::GetWindowRect(probe, &rect);
    ::DestroyWindow(probe);
    return {rect.left, rect.top};
}

// The dock dialog of one test: the program-wide objects over a scratch
// folder, the dialog created modelessly with the dock procedure.
class DockUnderTest {
  public:
    explicit DockUnderTest(const std::string& folder)
        : program(::GetModuleHandleA(nullptr), folder, &shell) {
        DockSession& session = program.Session();
        session.menuHandle.reset(
            ::LoadMenuA(session.instanceHandle, MAKEINTRESOURCEA(IDM_CONTEXT)));
        window = ::CreateDialogParamA(session.instanceHandle, MAKEINTRESOURCEA(IDD_DOCK), nullptr,
                                      &dockProcedure, reinterpret_cast<LPARAM>(&program));
        shell.window = window;
    }
    ~DockUnderTest() {
        if (::IsWindow(window)) {
            if (!program.Session().ended) {
                // Never leave a timer or hotkeys behind.
                program.GetDock().platform.window.StopTimer();
                for (int n = 1; n <= program.GetDock().state.items.Count(); ++n)
                    ::UnregisterHotKey(window, n);
            }
            ::DestroyWindow(window);
        }
    }
    Dock& dock() { return program.GetDock(); }
    FeatureStates& features() { return program.Features(); }
    RECT rect() const {
        RECT r{};
        ::GetWindowRect(window, &r);
        return r;
    }
    INT_PTR call(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return dockProcedure(window, message, wParam, lParam);
    }

    TestShell shell;
    DockProgram program;
    HWND window = nullptr;
};

inline std::string profileValue(const std::string& file, std::string_view section,
                                std::string_view key) {
    char buffer[1024];
    DWORD length =
        ::GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                   "<absent>", buffer, sizeof buffer, file.c_str());
    return std::string(buffer, length);
}

}  // namespace dock::wine
