#pragma once
#include <string>

namespace qv {

// The program's value under the machine-wide key whose values Windows starts at logon
// (HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run).
class Registry {
  public:
    virtual ~Registry() = default;
    // Writes the value `name` as a string holding `data`, replacing one already there; true
    // when it was written.
    virtual bool SetRunValue(const std::string& name, const std::string& data) = 0;
    // Deletes the value `name`; false when it did not exist or could not be deleted.
    virtual bool DeleteRunValue(const std::string& name) = 0;
};

}  // namespace qv
