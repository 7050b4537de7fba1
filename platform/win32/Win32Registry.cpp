#include "platform/win32/Win32Registry.h"

namespace qv::win32 {

HKEY Win32Registry::RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY Win32Registry::Find(RegistryKey key) const {
    auto it = open_.find(key);
    return it == open_.end() ? nullptr : it->second.get();
}

long Win32Registry::OpenKey(RegistryRoot root, const std::string& subKey, uint32_t options,
                            uint32_t access, RegistryKey& key) {
    HKEY opened = nullptr;
    LONG rc = RegOpenKeyExA(RootKey(root), subKey.c_str(), options, access, &opened);
    if (rc != ERROR_SUCCESS || opened == nullptr)
        return rc != ERROR_SUCCESS ? rc : ERROR_INVALID_HANDLE;
    key = reinterpret_cast<RegistryKey>(opened);
    open_[key] = OwnedKey(opened);
    return ERROR_SUCCESS;
}

long Win32Registry::SetValue(RegistryKey key, const std::string& valueName, uint32_t type,
                             const std::string& data) {
    HKEY hkey = Find(key);
    if (hkey == nullptr)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(hkey, valueName.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

long Win32Registry::DeleteValue(RegistryKey key, const std::string& valueName) {
    HKEY hkey = Find(key);
    if (hkey == nullptr)
        return ERROR_INVALID_HANDLE;
    return RegDeleteValueA(hkey, valueName.c_str());
}

long Win32Registry::CloseKey(RegistryKey key) {
    auto it = open_.find(key);
    if (it == open_.end())
        return ERROR_INVALID_HANDLE;
    HKEY hkey = it->second.release();
    open_.erase(it);
    return RegCloseKey(hkey);
}

}  // namespace qv::win32
