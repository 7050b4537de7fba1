#pragma once
#include <cstdint>
#include <string>

namespace qv {

// The registry roots the program uses.
enum class RegistryRoot { LocalMachine, CurrentUser };

// An open key as the platform layer hands it out; 0 is no key.
using RegistryKey = std::uintptr_t;

inline constexpr uint32_t kRegSz = 1;            // REG_SZ
inline constexpr uint32_t kKeyAccessAll = 0x3F;  // query, set, create, enumerate, notify, link
inline constexpr long kRegSuccess = 0;           // ERROR_SUCCESS
inline constexpr long kRegFileNotFound = 2;      // ERROR_FILE_NOT_FOUND
inline constexpr long kRegAccessDenied = 5;      // ERROR_ACCESS_DENIED
inline constexpr long kRegInvalidHandle = 6;     // ERROR_INVALID_HANDLE

// The Windows registry calls the program makes, with their results as numbers (0 = success).
class Registry {
  public:
    virtual ~Registry() = default;
    // RegOpenKeyExA. On failure `key` is left 0.
    virtual long OpenKey(RegistryRoot root, const std::string& subKey, uint32_t options,
                         uint32_t access, RegistryKey& key) = 0;
    // RegSetValueExA with reserved 0; the byte count passed is data.size().
    virtual long SetValue(RegistryKey key, const std::string& valueName, uint32_t type,
                          const std::string& data) = 0;
    // RegDeleteValueA; nonzero when the value did not exist.
    virtual long DeleteValue(RegistryKey key, const std::string& valueName) = 0;
    // RegCloseKey.
    virtual long CloseKey(RegistryKey key) = 0;
};

}  // namespace qv
