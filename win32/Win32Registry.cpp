#include "win32/Win32Registry.h"

#include "win32/Handles.h"

namespace qv::win32 {
namespace {

static_assert(Win32Registry::kKeyAccess == (KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |
                                            KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK));

// The key opened with full access. The open's result is not looked at: without a key the
// call that follows fails on its own.
UniqueHKey OpenKey(HKEY root, const std::string& subKey) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, Win32Registry::kKeyAccess, &opened) != ERROR_SUCCESS)
        return UniqueHKey();
    return UniqueHKey(opened);
}

}  // namespace

bool Win32Registry::SetRunValue(const std::string& name, const std::string& data) {
    return WriteRegString(HKEY_LOCAL_MACHINE, kRunSubKey, name, data);
}

bool Win32Registry::DeleteRunValue(const std::string& name) {
    return DeleteRegValue(HKEY_LOCAL_MACHINE, kRunSubKey, name);
}

bool Win32Registry::WriteRegString(HKEY root, const std::string& subKey,
                                   const std::string& valueName, const std::string& data) {
    UniqueHKey key = OpenKey(root, subKey);
    if (!key.Valid())
        return false;
    const std::string bytes = data + '\0';
    return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteRegValue(HKEY root, const std::string& subKey,
                                   const std::string& valueName) {
    UniqueHKey key = OpenKey(root, subKey);
    if (!key.Valid())
        return false;
    return RegDeleteValueA(key.Get(), valueName.c_str()) == ERROR_SUCCESS;
}

}  // namespace qv::win32
