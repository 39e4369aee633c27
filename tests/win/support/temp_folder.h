#pragma once
// A fresh folder under the user's temp folder for one test, removed with
// everything in it afterwards. Its name holds GBK characters so that every
// path a test uses goes through the ANSI code page.
#include <windows.h>

#include <string>

namespace dock::testing {

class TempFolder {
  public:
    TempFolder() {
        char base[MAX_PATH + 1] = {};
        ::GetTempPathA(MAX_PATH, base);
        static int serial = 0;
        // 测试 (test) in GBK.
        path_ = std::string(base) + "dock\xB2\xE2\xCA\xD4_" +
                std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(::GetTickCount()) +
                "_" + std::to_string(++serial);
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { removeTree(path_); }

    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

  private:
    // Wide calls with the \\?\ prefix, so that folders deeper than MAX_PATH
    // that a test made go as well.
    static void removeTree(const std::string& folder) {
        const int n = ::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), n);
        wide.resize(static_cast<std::size_t>(n) - 1);
        removeWideTree(L"\\\\?\\" + wide);
    }
    static void removeWideTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = folder + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    removeWideTree(full);
                } else {
                    ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileW(full.c_str());
                }
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(folder.c_str());
    }

    std::string path_;
};

}  // namespace dock::testing
