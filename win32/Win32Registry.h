#pragma once
#include <windows.h>

#include <string>

#include "platform/Registry.h"

namespace qv::win32 {

// The Run value in the real registry: the key opened for each call and closed after it.
class Win32Registry : public Registry {
  public:
    static constexpr const char* kRunSubKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    // What the key is opened for: query, set, create sub key, enumerate, notify, create link.
    static constexpr REGSAM kKeyAccess = 0x3F;

    bool SetRunValue(const std::string& name, const std::string& data) override;
    bool DeleteRunValue(const std::string& name) override;

    // Writes one REG_SZ value: the text and its terminating NUL, the NUL counted. True when
    // the write succeeded.
    static bool WriteRegString(HKEY root, const std::string& subKey, const std::string& valueName,
                               const std::string& data);
    // Deletes one value; true when it was deleted.
    static bool DeleteRegValue(HKEY root, const std::string& subKey, const std::string& valueName);
};

}  // namespace qv::win32
