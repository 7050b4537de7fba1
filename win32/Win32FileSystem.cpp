#include "win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "win32/Handles.h"

namespace qv::win32 {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

class Win32FileReader : public FileReader {
  public:
    explicit Win32FileReader(UniqueHandle file) : file_(std::move(file)) {}
    int64_t Read(char* buffer, size_t size) override {
        DWORD read = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 20));
        if (!ReadFile(file_.Get(), buffer, chunk, &read, nullptr))
            return -1;
        return read;
    }

  private:
    UniqueHandle file_;
};

}  // namespace

bool Win32FileSystem::AppendBytes(const std::string& path, const std::string& bytes) {
    UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    return WriteAll(file.Get(), bytes);
}

bool Win32FileSystem::WriteBytesFromStart(const std::string& path, const std::string& bytes) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    return WriteAll(file.Get(), bytes);
}

bool Win32FileSystem::WriteWholeFile(const std::string& path, const std::string& bytes) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    return WriteAll(file.Get(), bytes);
}

std::string Win32FileSystem::TemporaryFolder() {
    char buffer[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof buffer, buffer);
    if (n == 0 || n > MAX_PATH)
        return "";
    return std::string(buffer, n);
}

bool Win32FileSystem::CanOpenForReading(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file.Get(), &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    return true;
}

std::optional<std::string> Win32FileSystem::ReadAll(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break;
        content.append(buffer, read);
    }
    return content;
}

std::unique_ptr<FileReader> Win32FileSystem::OpenForReading(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return nullptr;
    return std::make_unique<Win32FileReader>(std::move(file));
}

std::string Win32FileSystem::WindowsDirectoryRaw() {
    char buffer[256] = {};
    UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer)
        return "";
    return std::string(buffer, sizeof buffer);
}

}  // namespace qv::win32
