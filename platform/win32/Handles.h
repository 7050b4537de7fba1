#pragma once
#include <windows.h>

#include <utility>

namespace qv::win32 {

// Owns a kernel handle (file, mutex, process, thread) and closes it once.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, nullptr);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    void Reset() {
        if (Valid())
            CloseHandle(h_);
        h_ = nullptr;
    }

  private:
    HANDLE h_ = nullptr;
};

// Owns an open registry key.
class UniqueHKey {
  public:
    UniqueHKey() = default;
    UniqueHKey(UniqueHKey&& other) noexcept : k_(std::exchange(other.k_, nullptr)) {}
    UniqueHKey(const UniqueHKey&) = delete;
    UniqueHKey& operator=(const UniqueHKey&) = delete;
    ~UniqueHKey() {
        if (k_ != nullptr)
            RegCloseKey(k_);
    }
    HKEY Get() const { return k_; }
    HKEY* Put() { return &k_; }
    bool Valid() const { return k_ != nullptr; }

  private:
    HKEY k_ = nullptr;
};

// Owns an icon loaded with LoadImage.
class UniqueIcon {
  public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON icon) : icon_(icon) {}
    UniqueIcon(UniqueIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    UniqueIcon& operator=(UniqueIcon&& other) noexcept {
        if (this != &other) {
            Reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;
    ~UniqueIcon() { Reset(); }
    HICON Get() const { return icon_; }
    void Reset() {
        if (icon_ != nullptr)
            DestroyIcon(icon_);
        icon_ = nullptr;
    }

  private:
    HICON icon_ = nullptr;
};

}  // namespace qv::win32
