#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/process_api.h"
#include "platform/types.h"

namespace kv {

class DebugLog;
class IFileSystem;

// A 64-bit hook library enters only 64-bit applications. The 64-bit build therefore runs our
// small 32-bit host beside it while the system is on: the host loads the 32-bit hook library,
// hooks with a window of its own and passes every notification on to the program's window,
// so 32-bit applications answer switch requests as 64-bit ones do. The host ends itself when
// the program's window goes away. The 32-bit build, which runs alone, starts nothing.
class HookHost32 {
public:
    HookHost32(IProcesses& processes, const IFileSystem& files, DebugLog& log, std::u16string appFolder);
    ~HookHost32();
    HookHost32(const HookHost32&) = delete;
    HookHost32& operator=(const HookHost32&) = delete;

    bool Needed() const;
    // Switching on: starts the host for `applicationWindow` where the build needs one. A folder
    // without the host (a copy of the 64-bit build alone) goes on without it, said once in the log.
    void Start(WindowHandle applicationWindow);
    // Switching off or exiting: the host unhooks and ends.
    void Stop();
    // Called by the watchdog: a host that ended while it was wanted is started again, a few
    // times at most, so that a host that cannot run does not restart for ever.
    void RestartIfEnded();
    bool Running() const { return host_ && host_->Running(); }

private:
    bool Launch();

    IProcesses& processes_;
    const IFileSystem& files_;
    DebugLog& log_;
    const std::u16string appFolder_;
    std::unique_ptr<IHelperProcess> host_;
    WindowHandle applicationWindow_ = kNoWindow;
    bool wanted_ = false;
    int restarts_ = 0;
};

inline constexpr std::u16string_view kHookHost32FileName = u"KarmuxHost32.exe";
inline constexpr std::u16string_view kHookLibrary32FileName = u"KarmuxH32.dll";

}  // namespace kv
