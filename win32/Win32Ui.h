#pragma once
#include <windows.h>

#include <functional>

#include "platform/Ui.h"

namespace qv::win32 {

class Win32Ui : public Ui {
  public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
    void PumpMessages() override;
    void Sleep(uint32_t milliseconds) override;

    // Lets a modeless dialog take its keyboard messages first (IsDialogMessage).
    void SetDialogFilter(std::function<bool(MSG&)> filter) { dialogFilter_ = std::move(filter); }
    // Dispatches one message the way the main loop and the pump both do.
    void Dispatch(MSG& msg);

  private:
    std::function<bool(MSG&)> dialogFilter_;
};

}  // namespace qv::win32
