#pragma once
#include <optional>
#include <stdexcept>
#include <string>

namespace qv {

// A failure of the settings store itself (not a missing value).
class StoreError : public std::runtime_error {
  public:
    explicit StoreError(const std::string& what) : std::runtime_error(what) {}
};

// The per-user application settings store: text values addressed by application,
// section and key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or nothing when the key holds no value. Throws StoreError when the
    // store cannot be read.
    virtual std::optional<std::string> Read(const std::string& application,
                                            const std::string& section, const std::string& key) = 0;
    // Creates or replaces the value. Throws StoreError when it cannot be written.
    virtual void Write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& text) = 0;
};

}  // namespace qv
