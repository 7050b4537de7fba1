#pragma once
#include <cstdint>
#include <functional>

#include "win32/Win32Ui.h"

namespace qv::win32 {

// Runs one blocking call on a thread of its own while the program's thread waits for it,
// serving the window. Only the platform layer sees that thread: the call must touch nothing
// but what its function object owns (shared with the caller through a shared_ptr), so that a
// call left behind after a cancel touches nothing that has gone; the caller reads what the
// call wrote only when Run said it finished.
//
// True when the call finished. When the program is asked to end meanwhile, `cancel` runs on
// the program's thread (closing the handle the call blocks on, which also gives back whatever
// the call made in it), the wait goes on for at most kCancelGraceMs, and the answer is false.
class OffThreadCall {
  public:
    static constexpr uint32_t kCancelGraceMs = 1000;

    static bool Run(Win32Ui& ui, std::function<void()> call, const std::function<void()>& cancel);
};

}  // namespace qv::win32
