#pragma once
#include "platform/FileSystem.h"

namespace qv::win32 {

class Win32FileSystem : public FileSystem {
  public:
    bool AppendBytes(const std::string& path, const std::string& bytes) override;
    bool WriteBytesFromStart(const std::string& path, const std::string& bytes) override;
    bool CanOpenForReading(const std::string& path) override;
    std::optional<std::string> ReadAll(const std::string& path) override;
    std::unique_ptr<FileReader> OpenForReading(const std::string& path) override;
    std::string WindowsDirectoryRaw() override;
    bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
    std::string TemporaryFolder() override;
};

}  // namespace qv::win32
