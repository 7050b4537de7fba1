#include "actions/Registry.h"

namespace qv {
namespace {

// A key opened with full access that is closed on every way out, when one was obtained.
class OpenedKey {
  public:
    OpenedKey(Registry& registry, RegistryRoot root, const std::string& subKey)
        : registry_(registry) {
        // The open's result is not looked at: without a key the next call fails on its own.
        registry_.OpenKey(root, subKey, 0, kKeyAccessAll, key_);
    }
    ~OpenedKey() {
        if (key_ != 0)
            registry_.CloseKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    RegistryKey Get() const { return key_; }

  private:
    Registry& registry_;
    RegistryKey key_ = 0;
};

}  // namespace

bool WriteRegString(Registry& registry, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& data) {
    OpenedKey key(registry, root, subKey);
    std::string bytes = data;
    bytes.push_back('\0');
    return registry.SetValue(key.Get(), valueName, kRegSz, bytes) == kRegSuccess;
}

bool DeleteRegValue(Registry& registry, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName) {
    OpenedKey key(registry, root, subKey);
    return registry.DeleteValue(key.Get(), valueName) == kRegSuccess;
}

bool SetRunValue(Registry& registry, const std::string& valueName, const std::string& data) {
    return WriteRegString(registry, RegistryRoot::LocalMachine, kRunSubKey, valueName, data);
}

bool DeleteRunValue(Registry& registry, const std::string& valueName) {
    return DeleteRegValue(registry, RegistryRoot::LocalMachine, kRunSubKey, valueName);
}

bool AddToStartup(Registry& registry, const ProgramPaths& paths) {
    return SetRunValue(registry, paths.ExeBaseName, paths.ExePath + " /S");
}

void RemoveFromStartup(Registry& registry, const ProgramPaths& paths) {
    DeleteRunValue(registry, paths.ExeBaseName);
}

}  // namespace qv
