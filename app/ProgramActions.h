#pragma once
#include "app/Actions.h"

namespace qv {

struct App;

// The services wired to the modules that carry them out.
class ProgramActions : public Actions {
  public:
    explicit ProgramActions(App& app) : app_(app) {}
    void SetServiceTimerIntervals() override;
    void ArmServiceTimers() override;
    void StartSockets() override;
    void StopSockets() override;
    void WriteNicBatches() override;
    bool ModemReachable() override;
    void EnableNIC() override;
    void DisableNIC() override;
    bool RebootModem() override;
    void CheckConnectivity() override;
    void ShutDownPC() override;

  private:
    App& app_;
};

}  // namespace qv
