#pragma once
#include "platform/Process.h"
#include "win32/Handles.h"

namespace qv::win32 {

class Win32Process : public Process {
  public:
    // The name of the mutex that marks a running instance.
    static constexpr const char* kInstanceMutex = "Local\\QuorvaneHelper.SingleInstance";

    bool ClaimSingleInstance() override;
    void RaiseThreadPriority() override;
    std::string ExecutablePath() override;
    std::string CommandLineArguments() override;
    bool StartProgram(const std::string& commandLine, ShowCommand show) override;
    void ShellOpen(const std::string& file, ShowCommand show) override;
    bool OpenDocument(const std::string& path) override;
    [[noreturn]] void EndProcess() override;

    // The arguments part of a full command line as Windows passes it.
    static std::string ArgumentsOf(const std::string& commandLine);

  private:
    UniqueHandle instanceMutex_;
};

}  // namespace qv::win32
