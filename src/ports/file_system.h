#pragma once
// The file operations the dock needs from the system. Paths are GBK text.
#include <cstdint>
#include <span>
#include <string>

#include "support/bytes.h"

namespace dock {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // True for an existing file or directory (PathFileExistsA).
    virtual bool FileExists(const std::string& path) = 0;
    // The whole file; empty when it cannot be opened or read.
    virtual Bytes ReadWholeFile(const std::string& path) = 0;
    // Creates or truncates the file (no sharing) and writes the bytes; true
    // only when it opened and every byte was written. A read-only file is
    // never written.
    virtual bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // Plain rename; fails when the new path exists.
    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    // Copies a file; fails when the target exists.
    virtual bool CopyNewFile(const std::string& from, const std::string& to) = 0;
    // Replaces `to` with `from` in one step (the old `to` is gone, `from` takes its name).
    virtual bool ReplaceFileAtomically(const std::string& from, const std::string& to) = 0;
    virtual bool DeleteExistingFile(const std::string& path) = 0;
    // Makes the system write what it still caches of the file to the disk
    // (FlushFileBuffers); true when it did.
    virtual bool FlushToDisk(const std::string& path) = 0;
    virtual void SleepMs(std::uint32_t milliseconds) = 0;
};

}  // namespace dock
