#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace qv::test {

// The Run values in memory. `denyWrites` refuses writes as a user without access to the
// machine-wide hive is refused; `onCall` ("Set <name>", "Delete <name>") lets a test throw from
// inside a call.
class FakeRegistry : public Registry {
  public:
    std::map<std::string, std::string> runValues;  // name, data
    bool denyWrites = false;
    std::function<void(const std::string&)> onCall;

    bool SetRunValue(const std::string& name, const std::string& data) override {
        Record("Set " + name);
        if (denyWrites)
            return false;
        runValues[name] = data;
        return true;
    }
    bool DeleteRunValue(const std::string& name) override {
        Record("Delete " + name);
        return runValues.erase(name) > 0;
    }

  private:
    void Record(const std::string& call) {
        if (onCall)
            onCall(call);
    }
};

}  // namespace qv::test
