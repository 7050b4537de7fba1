#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <type_traits>

#include "platform/Registry.h"

namespace qv::win32 {

// The registry calls on the real Windows registry. Every key it opens is owned until
// CloseKey, and keys still open when it goes away are closed then.
class Win32Registry : public Registry {
  public:
    long OpenKey(RegistryRoot root, const std::string& subKey, uint32_t options, uint32_t access,
                 RegistryKey& key) override;
    long SetValue(RegistryKey key, const std::string& valueName, uint32_t type,
                  const std::string& data) override;
    long DeleteValue(RegistryKey key, const std::string& valueName) override;
    long CloseKey(RegistryKey key) override;

    static HKEY RootKey(RegistryRoot root);

  private:
    struct KeyCloser {
        void operator()(HKEY key) const { RegCloseKey(key); }
    };
    using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

    HKEY Find(RegistryKey key) const;

    std::map<RegistryKey, OwnedKey> open_;
};

}  // namespace qv::win32
