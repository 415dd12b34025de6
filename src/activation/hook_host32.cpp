#include "activation/hook_host32.h"

#include <utility>

#include "common/debug_log.h"
#include "platform/files_api.h"
#include "platform/text.h"

namespace kv {

namespace {
constexpr unsigned kBuildWithHost = 64;
constexpr int kMostRestarts = 5;
// Long enough for the host to unhook; a host that takes longer is ended by force.
constexpr std::uint32_t kEndWaitMs = 2000;
}  // namespace

HookHost32::HookHost32(IProcesses& processes, const IFileSystem& files, DebugLog& log, std::u16string appFolder)
    : processes_(processes), files_(files), log_(log), appFolder_(std::move(appFolder)) {}

HookHost32::~HookHost32() { Stop(); }

bool HookHost32::Needed() const { return processes_.ProgramBits() == kBuildWithHost; }

void HookHost32::Start(WindowHandle applicationWindow) {
    if (!Needed()) return;
    Stop();
    if (!files_.FileExists(appFolder_ + std::u16string(kHookHost32FileName))) {
        log_.WriteLog(u"No 32-bit hook host beside the program: 32-bit applications are not reached");
        return;
    }
    applicationWindow_ = applicationWindow;
    wanted_ = true;
    restarts_ = 0;
    if (Launch()) log_.WriteLog(u"32-bit hook host started");
}

void HookHost32::Stop() {
    wanted_ = false;
    if (!host_) return;
    const bool onRequest = host_->End(kEndWaitMs);
    host_.reset();
    log_.WriteLog(onRequest ? u"32-bit hook host ended" : u"32-bit hook host did not end on request and was ended");
}

void HookHost32::RestartIfEnded() {
    if (!wanted_ || Running()) return;
    host_.reset();
    if (restarts_ == kMostRestarts) {
        wanted_ = false;
        log_.WriteLog(u"32-bit hook host keeps ending: not started again");
        return;
    }
    ++restarts_;
    if (Launch()) log_.WriteLog(u"32-bit hook host had ended and was started again");
}

bool HookHost32::Launch() {
    // By full path from the program folder: a bare name would run a planted copy.
    const std::u16string path = appFolder_ + std::u16string(kHookHost32FileName);
    host_ = processes_.StartHelper(path, Utf8ToUtf16(std::to_string(applicationWindow_)));
    if (!host_) log_.WriteLog(u"32-bit hook host cannot be started: " + path);
    return host_ != nullptr;
}

}  // namespace kv
