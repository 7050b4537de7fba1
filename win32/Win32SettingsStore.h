#pragma once
#include "platform/SettingsStore.h"

namespace qv::win32 {

// Settings as classic Windows programs keep them: REG_SZ values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>.
class Win32SettingsStore : public SettingsStore {
  public:
    static std::string KeyPath(const std::string& application, const std::string& section);

    std::optional<std::string> Read(const std::string& application, const std::string& section,
                                    const std::string& key) override;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override;
};

}  // namespace qv::win32
