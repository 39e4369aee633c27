#pragma once
// The file system port on the real Win32 calls. Paths are ANSI (GBK) text.
#include "ports/file_system.h"

namespace dock {

class Win32FileSystem final : public FileSystem {
  public:
    bool FileExists(const std::string& path) override;
    Bytes ReadWholeFile(const std::string& path) override;
    bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    bool CopyNewFile(const std::string& from, const std::string& to) override;
    bool ReplaceFileAtomically(const std::string& from, const std::string& to) override;
    bool DeleteExistingFile(const std::string& path) override;
    bool FlushToDisk(const std::string& path) override;
    void SleepMs(std::uint32_t milliseconds) override;
};

}  // namespace dock
