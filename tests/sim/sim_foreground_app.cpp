#include "sim_foreground_app.h"

#include "common/messages.h"
#include <algorithm>

#include "platform/win_constants.h"

namespace kv::sim {

SimForegroundApp::SimForegroundApp(SimDesktop& desktop, SimKeyboard& keyboard, LayoutHandle initialLayout)
    : desktop_(desktop), keyboard_(keyboard) {
    keyboard_.SetLayoutOfThread(kThreadId, initialLayout);
    window_ = desktop_.CreateWindow(u"SimEditor", u"Untitled - Editor", kProcessId, true,
                                    [this](const SimMessage& m) { return Handle(m); });
    desktop_.Find(window_)->threadId = kThreadId;
    desktop_.SetForeground(window_);
}

SimForegroundApp::~SimForegroundApp() { desktop_.DestroyWindow(window_); }

std::intptr_t SimForegroundApp::Handle(const SimMessage& message) {
    if (message.message == msg::kSwitchLayout) {
        ++switchRequests_;
        if (onLayoutRequest) onLayoutRequest();
        if (!answersSwitch_ || libraryTarget_ == kNoWindow) return 0;
        SwitchTo(static_cast<LayoutHandle>(message.wParam));
        // The change is reported before the acknowledgement, so the program sees its result.
        desktop_.PostToWindow(libraryTarget_, msg::kSwitchAcknowledged, 0, 0);
        return 0;
    }
    if (message.message == win::kWmInputLangChangeRequest) {
        ++changeRequests_;
        if (onLayoutRequest) onLayoutRequest();
        SwitchTo(static_cast<LayoutHandle>(message.lParam));
    }
    return 0;
}

void SimForegroundApp::SwitchTo(LayoutHandle layout) {
    const auto installed = keyboard_.InstalledLayouts();
    if (std::find(installed.begin(), installed.end(), layout) == installed.end()) return;
    keyboard_.SetLayoutOfThread(kThreadId, layout);
    if (libraryTarget_ != kNoWindow) {
        desktop_.PostToWindow(libraryTarget_, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(layout));
    }
}

}  // namespace kv::sim
