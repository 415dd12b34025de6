#pragma once
#include <cstdint>
#include <functional>

#include "sim_desktop.h"
#include "sim_devices.h"

namespace kv::sim {

// Another application with its own thread layout, in which the simulated hook library runs:
// it honours 1175 by switching the thread's layout and posting 1174 then 1176 to the window the
// program gave the library, and reports layout changes made by WM_INPUTLANGCHANGEREQUEST.
class SimForegroundApp {
public:
    static constexpr std::uint32_t kProcessId = 400;
    static constexpr std::uint32_t kThreadId = 4001;

    SimForegroundApp(SimDesktop& desktop, SimKeyboard& keyboard, LayoutHandle initialLayout);
    ~SimForegroundApp();
    SimForegroundApp(const SimForegroundApp&) = delete;
    SimForegroundApp& operator=(const SimForegroundApp&) = delete;

    WindowHandle Window() const { return window_; }
    LayoutHandle Layout() const { return keyboard_.ThreadLayout(kThreadId); }
    // The window the library posts to (what the program passed to "Hook"); 0 = library not loaded.
    void SetLibraryTarget(WindowHandle target) { libraryTarget_ = target; }
    // An application where the library does not answer 1175 (it is not loaded there).
    void SetAnswersSwitchRequests(bool answers) { answersSwitch_ = answers; }
    int SwitchRequests() const { return switchRequests_; }
    // Runs as a request to change the layout arrives (1175 or WM_INPUTLANGCHANGEREQUEST): what
    // else happens while the program waits for the change.
    std::function<void()> onLayoutRequest;
    int LanguageChangeRequests() const { return changeRequests_; }

private:
    std::intptr_t Handle(const SimMessage& message);
    void SwitchTo(LayoutHandle layout);

    SimDesktop& desktop_;
    SimKeyboard& keyboard_;
    WindowHandle window_ = kNoWindow;
    WindowHandle libraryTarget_ = kNoWindow;
    bool answersSwitch_ = true;
    int switchRequests_ = 0;
    int changeRequests_ = 0;
};

}  // namespace kv::sim
