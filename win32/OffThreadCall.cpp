#include "win32/OffThreadCall.h"

#include <memory>

#include "win32/Handles.h"

namespace qv::win32 {
namespace {

// What the helper thread holds: the call and the event it sets when the call has finished.
struct Job {
    std::function<void()> call;
    UniqueHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

DWORD WINAPI RunJob(void* parameter) {
    std::unique_ptr<std::shared_ptr<Job>> held(static_cast<std::shared_ptr<Job>*>(parameter));
    (*held)->call();
    SetEvent((*held)->done.Get());
    return 0;
}

}  // namespace

bool OffThreadCall::Run(Win32Ui& ui, uint32_t boundMs, std::function<void()> call) {
    if (ui.EndRequested())
        return false;
    auto job = std::make_shared<Job>();
    job->call = std::move(call);
    if (!job->done.Valid())
        return false;
    auto* parameter = new std::shared_ptr<Job>(job);
    UniqueHandle thread(CreateThread(nullptr, 0, &RunJob, parameter, 0, nullptr));
    if (!thread.Valid()) {
        delete parameter;
        return false;
    }
    // Past the bound the job is the helper thread's alone: it lets go of the call's holdings
    // when the call returns.
    return ui.WaitServing(job->done.Get(), boundMs) == WaitOutcome::Signalled;
}

}  // namespace qv::win32
