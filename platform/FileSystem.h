#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qv {

// A file open for reading from its start, a piece at a time; closed when it goes.
class FileReader {
  public:
    virtual ~FileReader() = default;
    // Reads up to `size` bytes into `buffer`: the count read, 0 at the end of the file, -1 when
    // the read failed.
    virtual int64_t Read(char* buffer, size_t size) = 0;
};

// Plain file operations on ANSI paths. None of them throws; failure is the result.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Opens the file for appending (created when missing), writes the bytes, closes it.
    virtual bool AppendBytes(const std::string& path, const std::string& bytes) = 0;
    // Opens the file for read and write (created when missing), writes the bytes from the
    // start without shortening a longer file, closes it.
    virtual bool WriteBytesFromStart(const std::string& path, const std::string& bytes) = 0;
    // Writes the file anew (created when missing, a longer one shortened), closes it.
    virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
    // True when the path names a file that can be opened for reading now.
    virtual bool CanOpenForReading(const std::string& path) = 0;
    // The whole content of a file, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
    // The file open for reading, or nothing when it cannot be opened.
    virtual std::unique_ptr<FileReader> OpenForReading(const std::string& path) = 0;
    // The Windows directory as the system gives it (GetWindowsDirectoryA into 256 characters).
    virtual std::string WindowsDirectoryRaw() = 0;
    // The user's own folder for temporary files (GetTempPathA), with or without its last
    // backslash; empty when the system gives none.
    virtual std::string TemporaryFolder() = 0;
};

}  // namespace qv
