#include "actions/Registry.h"

#include "app/App.h"

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

bool WriteRegString(App& app, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName, const std::string& data) {
    OpenedKey key(app.os.registry, root, subKey);
    std::string bytes = data;
    bytes.push_back('\0');
    return app.os.registry.SetValue(key.Get(), valueName, kRegSz, bytes) == kRegSuccess;
}

bool DeleteRegValue(App& app, RegistryRoot root, const std::string& subKey,
                    const std::string& valueName) {
    OpenedKey key(app.os.registry, root, subKey);
    return app.os.registry.DeleteValue(key.Get(), valueName) == kRegSuccess;
}

bool SetRunValue(App& app, const std::string& valueName, const std::string& data) {
    return WriteRegString(app, RegistryRoot::LocalMachine, kRunSubKey, valueName, data);
}

bool DeleteRunValue(App& app, const std::string& valueName) {
    return DeleteRegValue(app, RegistryRoot::LocalMachine, kRunSubKey, valueName);
}

bool AddToStartup(App& app) {
    return SetRunValue(app, app.paths.ExeBaseName, app.paths.ExePath + " /S");
}

void RemoveFromStartup(App& app) {
    DeleteRunValue(app, app.paths.ExeBaseName);
}

}  // namespace qv
