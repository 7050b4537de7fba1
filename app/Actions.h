#pragma once
#include <string>

namespace qv {

// The services that start-up, the tray and the scheduler call into. The program wires them to
// the modules that do the work (ProgramActions); tests put doubles in their place.
class Actions {
  public:
    virtual ~Actions() = default;
    virtual void SetServiceTimerIntervals() = 0;
    virtual void ArmServiceTimers() = 0;
    virtual void StartSockets() = 0;
    virtual void StopSockets() = 0;
    virtual void WriteNicBatches() = 0;
    virtual bool ModemReachable() = 0;
    virtual void EnableNIC() = 0;
    virtual void DisableNIC() = 0;
    virtual bool RebootModem() = 0;
    virtual void CheckConnectivity() = 0;
    virtual void ShutDownPC() = 0;
};

}  // namespace qv
