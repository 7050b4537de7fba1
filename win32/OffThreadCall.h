#pragma once
#include <cstdint>
#include <functional>

#include "win32/Win32Ui.h"

namespace qv::win32 {

// Runs one blocking call on a thread of its own while the program's thread waits for it at
// most `boundMs`, serving the window. Only the platform layer sees that thread. A call that
// is still under way when the wait ends is abandoned, never stopped: it goes on with what its
// function object holds until it returns by itself, so it must touch nothing else. What it
// shares with the caller (its results, the handles it calls on) goes through shared_ptrs, and
// whoever lets go last gives it back: an abandoned call never meets a handle that was closed
// under it, nor one whose value went to someone else. The caller reads what the call wrote
// only when Run said it finished.
//
// True when the call finished within the bound; false at the bound, and at once when the
// program is asked to end (Ui::EndRequested) before or meanwhile.
class OffThreadCall {
  public:
    static bool Run(Win32Ui& ui, uint32_t boundMs, std::function<void()> call);
};

}  // namespace qv::win32
