#pragma once
#include <functional>

#include "platform/Power.h"

namespace qv::test {

// Counts the shutdowns asked for; nothing is ever switched off.
class FakePower : public Power {
  public:
    int shutdowns = 0;
    std::function<void()> onShutDown;

    void ShutDownWindows() override {
        ++shutdowns;
        if (onShutDown)
            onShutDown();
    }
};

}  // namespace qv::test
