/* Launched by the dock in the end-to-end tests: appends one line with its
   working directory to marker.txt beside itself and, when started with
   arguments, each argument as the program's parser splits it, in the ANSI
   code page, on a line of arguments.txt; then exits. */
#include <windows.h>
#include <shellapi.h>

static void appendArguments(const char* folderPath, size_t folderLength) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == NULL || count < 2) return;
    char path[MAX_PATH];
    lstrcpynA(path, folderPath, (int)folderLength + 1);
    lstrcatA(path, "arguments.txt");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    for (int i = 1; i < count && file != INVALID_HANDLE_VALUE; ++i) {
        char text[4 * MAX_PATH];
        int length =
            WideCharToMultiByte(CP_ACP, 0, arguments[i], -1, text, sizeof text, NULL, NULL);
        DWORD written = 0;
        if (length > 0) WriteFile(file, text, (DWORD)length - 1, &written, NULL);
        WriteFile(file, "\r\n", 2, &written, NULL);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    LocalFree(arguments);
}

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
    appendArguments(path, (size_t)(slash - path));
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
