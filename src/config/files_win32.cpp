#include "config/files_win32.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "support/handles_win32.h"

namespace dock {
namespace {

// ReadFile and WriteFile take 32-bit counts; larger runs go in pieces.
constexpr std::size_t kMaxChunk = 1u << 30;

// Windows refuses to write or replace a read-only file and Wine, run by root,
// does not: a user who made a file read-only keeps it as it is on both.
bool isReadOnly(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    return ::PathFileExistsA(path.c_str()) != FALSE;
}

Bytes Win32FileSystem::ReadWholeFile(const std::string& path) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file) return {};
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size == 0) return {};
    Bytes bytes(size);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto want = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return {};
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32FileSystem::WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (isReadOnly(path)) return false;
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto want = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, want, &written, nullptr) ||
            written != want) {
            return false;
        }
        done += written;
    }
    return true;
}

bool Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
    return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool Win32FileSystem::CopyNewFile(const std::string& from, const std::string& to) {
    if (!::CopyFileA(from.c_str(), to.c_str(), TRUE)) return false;
    // The copy takes the attributes of its source; a read-only copy of a
    // read-only config.ini could never be deleted or replaced again.
    const DWORD attributes = ::GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ::SetFileAttributesA(to.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    return true;
}

bool Win32FileSystem::ReplaceFileAtomically(const std::string& from, const std::string& to) {
    if (isReadOnly(to)) return false;
    return ::MoveFileExA(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::DeleteExistingFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != FALSE;
}

bool Win32FileSystem::FlushToDisk(const std::string& path) {
    // Flushing needs write access; others may have the file open meanwhile.
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr));
    return file && ::FlushFileBuffers(file.get()) != FALSE;
}

void Win32FileSystem::SleepMs(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace dock
