#pragma once

namespace qv {

// Switching the computer off.
class Power {
  public:
    virtual ~Power() = default;
    // Has Windows shut the computer down at once, closing the running programs without asking
    // them, with the shutdown privilege enabled first where the system has privileges.
    // Returns at once; whether Windows went along is not reported.
    virtual void ShutDownWindows() = 0;
};

}  // namespace qv
