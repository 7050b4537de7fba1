#pragma once
#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace qv::win32 {

// The number a handle value stands for, so that "no handle" values of any handle type can be
// given as template arguments.
template <typename Handle>
std::uintptr_t HandleBits(Handle h) {
    if constexpr (std::is_pointer_v<Handle>)
        return reinterpret_cast<std::uintptr_t>(h);
    else
        return static_cast<std::uintptr_t>(h);
}

template <typename Handle>
Handle HandleFromBits(std::uintptr_t bits) {
    if constexpr (std::is_pointer_v<Handle>)
        return reinterpret_cast<Handle>(bits);
    else
        return static_cast<Handle>(bits);
}

// Owns one handle and gives it back with `Close` exactly once, when it goes or is replaced.
// `Empty` is what an owner of nothing holds; `Failed` are further values that opening calls
// return instead of a handle. Neither is ever closed.
template <typename Handle, auto Close, std::uintptr_t Empty = 0, std::uintptr_t... Failed>
class Owner {
  public:
    Owner() = default;
    explicit Owner(Handle h) : h_(h) {}
    Owner(Owner&& other) noexcept : h_(other.Release()) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;
    ~Owner() { Reset(); }

    Handle Get() const { return h_; }
    bool Valid() const {
        const std::uintptr_t bits = HandleBits(h_);
        return bits != Empty && ((bits != Failed) && ...);
    }
    // Closes what it holds and takes `h` instead.
    void Reset(Handle h = HandleFromBits<Handle>(Empty)) {
        if (Valid())
            Close(h_);
        h_ = h;
    }
    // Lets go of the handle without closing it.
    Handle Release() { return std::exchange(h_, HandleFromBits<Handle>(Empty)); }
    // Closes what it holds and lends its place to a call that writes a new handle there.
    Handle* Put() {
        Reset();
        return &h_;
    }

  private:
    Handle h_ = HandleFromBits<Handle>(Empty);
};

// A kernel handle (file, mutex, token, process, thread); CreateFile fails with
// INVALID_HANDLE_VALUE, the others with NULL.
using UniqueHandle = Owner<HANDLE, &::CloseHandle, 0, ~std::uintptr_t{0}>;
// An open registry key.
using UniqueHKey = Owner<HKEY, &::RegCloseKey>;
// An icon loaded with LoadImage or copied with CopyImage.
using UniqueIcon = Owner<HICON, &::DestroyIcon>;
// A menu made with CreatePopupMenu.
using UniqueMenu = Owner<HMENU, &::DestroyMenu>;

}  // namespace qv::win32
