#include "win32/Win32SettingsStore.h"

#include <windows.h>

#include <vector>

#include "win32/Handles.h"

namespace qv::win32 {

std::string Win32SettingsStore::KeyPath(const std::string& application,
                                        const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + application + "\\" + section;
}

std::optional<std::string> Win32SettingsStore::Read(const std::string& application,
                                                    const std::string& section,
                                                    const std::string& key) {
    UniqueHKey hkey;
    LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0,
                            KEY_QUERY_VALUE, hkey.Put());
    if (rc == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (rc != ERROR_SUCCESS)
        throw StoreError("cannot open settings key");
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        rc = RegQueryValueExA(hkey.Get(), key.c_str(), nullptr, &type, nullptr, &size);
        if (rc == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (rc != ERROR_SUCCESS)
            throw StoreError("cannot query setting");
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return std::nullopt;
        std::vector<char> data(size + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(hkey.Get(), key.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_MORE_DATA)
            continue;  // grew meanwhile
        if (rc != ERROR_SUCCESS)
            throw StoreError("cannot read setting");
        std::string text(data.data(), got);
        size_t nul = text.find('\0');
        if (nul != std::string::npos)
            text.resize(nul);
        return text;
    }
    throw StoreError("setting keeps changing");
}

void Win32SettingsStore::Write(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& text) {
    UniqueHKey hkey;
    LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, hkey.Put(), nullptr);
    if (rc != ERROR_SUCCESS)
        throw StoreError("cannot create settings key");
    rc = RegSetValueExA(hkey.Get(), key.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
    if (rc != ERROR_SUCCESS)
        throw StoreError("cannot write setting");
}

}  // namespace qv::win32
