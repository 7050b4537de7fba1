// Doubles that only count, for the scheduler's benchmarks: the test doubles' record of every
// call would cost more than the scheduler itself.
#pragma once

#include <array>

#include "app/App.h"
#include "app/Icon.h"
#include "app/Scheduler.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::bench {

// The services, counted by name; the scheduler's own two go to the scheduler. The modem never
// answers, every reboot succeeds and every fetch brings 2 KB.
class CountingActions : public Actions {
  public:
    enum Name { kShutDown, kReboot, kEnable, kDisable, kFetch, kReachable, kOther, kCount };
    explicit CountingActions(App& app) : app_(app) {}
    std::array<int, kCount> count{};

    void SetServiceTimerIntervals() override { qv::SetServiceTimerIntervals(app_); }
    void ArmServiceTimers() override { qv::ArmServiceTimers(app_); }
    void StartSockets() override { ++count[kOther]; }
    void StopSockets() override { ++count[kOther]; }
    void WriteNicBatches() override { ++count[kOther]; }
    bool ModemReachable() override {
        ++count[kReachable];
        return false;
    }
    void EnableNIC() override { ++count[kEnable]; }
    void DisableNIC() override { ++count[kDisable]; }
    bool RebootModem() override {
        ++count[kReboot];
        return true;
    }
    void CheckConnectivity() override {
        ++count[kFetch];
        app_.traffic.TotalBytesDownloaded += 2048;
        TrayAnimate(app_);
    }
    void ShutDownPC() override { ++count[kShutDown]; }

  private:
    App& app_;
};

// A tray that only counts its requests.
class CountingTray : public test::FakeTray {
  public:
    int notified = 0;
    void Show(Picture, const std::string&) override { ++notified; }
    void Change(Picture, const std::string&) override { ++notified; }
    void Remove() override { ++notified; }
};

}  // namespace qv::bench
