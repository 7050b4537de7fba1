#pragma once
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace qv::test {

// The registry in memory. Every call is recorded; `denyWrites` refuses value writes with
// access denied, `onCall` lets a test throw from inside a call.
class FakeRegistry : public Registry {
  public:
    struct Value {
        uint32_t type = 0;
        std::string data;
    };
    using Address = std::tuple<RegistryRoot, std::string, std::string>;  // root, key, value

    std::map<Address, Value> values;
    std::vector<std::string> calls;  // "Open <key> <options> <access>", "Set <name>", ...
    bool failOpen = false;
    bool denyWrites = false;
    std::function<void(const std::string&)> onCall;

    long OpenKey(RegistryRoot root, const std::string& subKey, uint32_t options, uint32_t access,
                 RegistryKey& key) override {
        Record("Open " + subKey + " " + std::to_string(options) + " " + std::to_string(access));
        if (failOpen)
            return kRegFileNotFound;
        open_[next_] = {root, subKey};
        key = next_++;
        return kRegSuccess;
    }
    long SetValue(RegistryKey key, const std::string& valueName, uint32_t type,
                  const std::string& data) override {
        Record("Set " + valueName);
        auto it = open_.find(key);
        if (it == open_.end())
            return kRegInvalidHandle;
        if (denyWrites)
            return kRegAccessDenied;
        values[{it->second.first, it->second.second, valueName}] = {type, data};
        return kRegSuccess;
    }
    long DeleteValue(RegistryKey key, const std::string& valueName) override {
        Record("Delete " + valueName);
        auto it = open_.find(key);
        if (it == open_.end())
            return kRegInvalidHandle;
        return values.erase({it->second.first, it->second.second, valueName}) ? kRegSuccess
                                                                              : kRegFileNotFound;
    }
    long CloseKey(RegistryKey key) override {
        Record("Close");
        return open_.erase(key) ? kRegSuccess : kRegInvalidHandle;
    }

    size_t OpenKeys() const { return open_.size(); }

  private:
    void Record(const std::string& call) {
        calls.push_back(call);
        if (onCall)
            onCall(call);
    }
    std::map<RegistryKey, std::pair<RegistryRoot, std::string>> open_;
    RegistryKey next_ = 0x100;
};

}  // namespace qv::test
