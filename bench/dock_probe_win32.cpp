// Measures a running dock.exe from outside, through the process handle only:
// the dock is the product build, with nothing of its own added for this.
//
//   dock_probe run DOCK_EXE HOLD_SECONDS
//       Starts the dock in its own folder, waits until its message loop first
//       waits for input (start-up ends by presenting the first frame and
//       arming the timer, so that is the end of start-up), reads its working
//       set two seconds later, keeps it running for HOLD_SECONDS more (the
//       caller reads its CPU time from /proc meanwhile: Wine's
//       GetProcessTimes of another process does not follow its real CPU
//       time), and closes it politely. Prints one line of JSON.
//   dock_probe rest-floor SECONDS REARM
//       The floor of the dock's rest cost: a window whose 100 ms timer reads
//       the pointer and the window rectangle and does nothing else (REARM 1:
//       and arms the timer again every tick, as the dock's tick does), for
//       SECONDS. The caller reads its CPU time from /proc.
//   dock_probe hold SECONDS
//       Does nothing for SECONDS: keeps the prefix's wineserver running while
//       its idle cost is read.
//   dock_probe extract LIST_FILE
//       Times the icon extraction start-up does for every executable named in
//       LIST_FILE (one path a line): reading the module's icon resources,
//       assembling the .ico and decoding it. Prints one line of JSON.
//   dock_probe save LIST_FILE FOLDER RUNS
//       Times RUNS saves of config.ini in FOLDER as a change makes them, on
//       the animation tick, through the real file and profile calls, for a
//       dock holding one item per path in LIST_FILE. Any wait is counted
//       apart. Prints
//       one line of JSON.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "config/configuration.h"
#include "fakes/fake_platform.h"
#include "items/icon_extraction.h"
#include "items/icon_source_win32.h"
#include "render/dock_image_win32.h"
#include "config/files_win32.h"
#include "config/profile_win32.h"

namespace {

double now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findTopWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && ::GetWindow(window, GW_OWNER) == nullptr &&
        ::IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

int run(const std::string& dockExe, double holdSeconds) {
    const std::string folder = dockExe.substr(0, dockExe.find_last_of("\\/"));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + dockExe + "\"";
    const double started = now();
    if (!::CreateProcessA(dockExe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        std::printf("{\"error\": \"CreateProcess failed: %lu\"}\n", ::GetLastError());
        return 1;
    }
    const DWORD idle = ::WaitForInputIdle(process.hProcess, 60000);
    const double ready = now();
    if (idle != 0) {
        std::printf("{\"error\": \"WaitForInputIdle gave %lu\"}\n", idle);
        ::TerminateProcess(process.hProcess, 1);
        return 1;
    }
    // The working set once the start-up's transient work has settled.
    ::Sleep(2000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));

    ::Sleep(static_cast<DWORD>(holdSeconds * 1000));

    WindowSearch search{process.dwProcessId, nullptr};
    ::EnumWindows(findTopWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) ::PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    std::printf(
        "{\"startup_ms\": %.1f, \"working_set_kib\": %llu, \"peak_working_set_kib\": %llu, "
        "\"window_found\": %s}\n",
        (ready - started) * 1000, static_cast<unsigned long long>(memory.WorkingSetSize / 1024),
        static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
        search.found != nullptr ? "true" : "false");
    return 0;
}

bool rearmEveryTick = false;
HWND floorWindow = nullptr;

void CALLBACK floorTick(HWND window, UINT, UINT_PTR id, DWORD) {
    POINT pointer;
    RECT rect;
    ::GetCursorPos(&pointer);
    ::GetWindowRect(window, &rect);
    if (rearmEveryTick) ::SetTimer(window, id, 100, floorTick);
}

int restFloor(double seconds, bool rearm) {
    rearmEveryTick = rearm;
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "DockRestFloor";
    ::RegisterClassA(&wc);
    floorWindow =
        ::CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, "",
                          WS_POPUP, 300, 300, 1368, 340, nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(floorWindow, SW_SHOWNOACTIVATE);
    ::SetTimer(floorWindow, 1, 100, floorTick);
    const double end = now() + seconds;
    MSG message;
    while (now() < end && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    ::DestroyWindow(floorWindow);
    return 0;
}

std::vector<std::string> readList(const std::string& listFile) {
    std::ifstream list(listFile);
    std::vector<std::string> paths;
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) paths.push_back(line);
    }
    return paths;
}

int extract(const std::string& listFile) {
    const std::vector<std::string> paths = readList(listFile);
    dock::Win32IconSource source;
    dock::DockImageFactory pictures;
    std::vector<std::unique_ptr<dock::Picture>> decoded;
    int withIcon = 0;
    std::size_t iconBytes = 0;
    const double start = now();
    for (const std::string& path : paths) {
        const dock::Bytes icon = dock::extractExeIcon(source, path);
        decoded.push_back(pictures.NewPicture());
        if (!icon.empty() && decoded.back()->LoadFromMemory(icon)) ++withIcon;
        iconBytes += icon.size();
    }
    const double total = now() - start;
    std::printf(
        "{\"modules\": %zu, \"with_icon\": %d, \"icon_bytes\": %zu, \"extract_ms\": %.1f}\n",
        paths.size(), withIcon, iconBytes, total * 1000);
    return 0;
}

// The real file calls, with the time the save spends waiting counted apart.
class TimedFiles final : public dock::FileSystem {
  public:
    double waited = 0;
    bool FileExists(const std::string& path) override { return real_.FileExists(path); }
    dock::Bytes ReadWholeFile(const std::string& path) override {
        return real_.ReadWholeFile(path);
    }
    bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        return real_.WriteWholeFile(path, bytes);
    }
    bool RenameFile(const std::string& from, const std::string& to) override {
        return real_.RenameFile(from, to);
    }
    bool CopyNewFile(const std::string& from, const std::string& to) override {
        return real_.CopyNewFile(from, to);
    }
    bool ReplaceFileAtomically(const std::string& from, const std::string& to) override {
        return real_.ReplaceFileAtomically(from, to);
    }
    bool DeleteExistingFile(const std::string& path) override {
        return real_.DeleteExistingFile(path);
    }
    bool FlushToDisk(const std::string& path) override { return real_.FlushToDisk(path); }
    void SleepMs(std::uint32_t milliseconds) override {
        const double start = now();
        real_.SleepMs(milliseconds);
        waited += now() - start;
    }

  private:
    dock::Win32FileSystem real_;
};

int save(const std::string& listFile, const std::string& folder, int runs) {
    const std::vector<std::string> paths = readList(listFile);
    dock::testing::FakePlatform fake;
    TimedFiles files;
    dock::Win32ProfileStore profile;
    dock::Dock dock{
        dock::Platform{files, profile, fake.messages, fake.pictures, fake.canvas, fake.hotkeys,
                       fake.icons, fake.window, fake.shell, fake.foreground},
        folder,
        dock::SystemLeadBytes(),
        fake.dock.settings,
        {}};
    dock.settings.trayImagePath = folder + "\\res\\1.png";
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        dock.state.items.Insert(n, dock::DockItem{"Item " + std::to_string(n), 0, paths[i], ""}, n);
    }
    std::vector<double> totals, waits;
    // The save a change makes, on the animation tick.
    for (int run = 0; run < runs; ++run) {
        files.waited = 0;
        dock::markSaveDue(dock);
        fake.shell.tick += dock::kSaveDelayMs;
        const double start = now();
        dock::saveWhenDue(dock);
        totals.push_back((now() - start) * 1000);
        waits.push_back(files.waited * 1000);
    }
    std::vector<double> works;
    for (int run = 0; run < runs; ++run) works.push_back(totals[run] - waits[run]);
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    std::printf(
        "{\"items\": %d, \"runs\": %d, \"save_ms\": %.2f, \"wait_ms\": %.2f, "
        "\"work_ms\": %.2f, \"work_max_ms\": %.2f, \"bytes\": %zu}\n",
        dock.state.items.Count(), runs, median(totals), median(waits), median(works),
        works.empty() ? 0.0 : *std::max_element(works.begin(), works.end()),
        files.ReadWholeFile(dock::configPath(dock)).size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "run" && argc > 3) return run(argv[2], std::atof(argv[3]));
    if (mode == "extract" && argc > 2) return extract(argv[2]);
    if (mode == "save" && argc > 4) return save(argv[2], argv[3], std::atoi(argv[4]));
    if (mode == "rest-floor" && argc > 3)
        return restFloor(std::atof(argv[2]), std::string(argv[3]) == "1");
    if (mode == "hold" && argc > 2) {
        ::Sleep(static_cast<DWORD>(std::atof(argv[2]) * 1000));
        return 0;
    }
    std::fprintf(stderr,
                 "dock_probe run DOCK_EXE HOLD_SECONDS | extract LIST_FILE | "
                 "save LIST_FILE FOLDER RUNS | rest-floor SECONDS REARM | hold SECONDS\n");
    return 2;
}
