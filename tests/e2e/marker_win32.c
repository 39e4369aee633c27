/* Launched by the dock in the end-to-end tests: appends one line with its
   working directory to marker.txt beside itself, then exits. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    char directory[MAX_PATH];
    char path[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    DWORD pathLength = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || pathLength == 0 || pathLength >= MAX_PATH) return 1;
    char* slash = path;
    for (char* p = path; *p != '\0'; ++p)
        if (*p == '\\') slash = p + 1;
    lstrcpyA(slash, "marker.txt");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, directory, length, &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
    return 0;
}
