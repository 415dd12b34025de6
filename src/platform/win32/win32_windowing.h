#pragma once
#include "platform/windowing_api.h"

namespace kv::win32 {

class Win32Windowing : public IWindowing {
public:
    WindowHandle FindTopLevelWindow(std::u16string_view className, std::u16string_view caption) const override;
    bool IsWindow(WindowHandle window) const override;
    bool IsWindowVisible(WindowHandle window) const override;
    std::vector<WindowHandle> TopLevelWindows() const override;
    bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t SendToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    void ShowWindow(WindowHandle window, int command) override;
    Rect WorkAreaNearest(const Rect& area) const override;
    Rect PrimaryScreen() const override;
    WindowHandle ForegroundWindow() const override;
    bool SetForegroundWindow(WindowHandle window) override;
    bool IsIconic(WindowHandle window) const override;
    void ShowWindowAsync(WindowHandle window, int command) override;
    std::uint32_t WindowThreadProcessId(WindowHandle window, std::uint32_t* processId) const override;
    std::optional<CaretInfo> ThreadCaret(std::uint32_t threadId) const override;
    std::u16string WindowClassName(WindowHandle window) const override;
    bool ClientToScreen(WindowHandle window, Point& point) const override;
    std::optional<Rect> WindowBounds(WindowHandle window) const override;
    void SetCursorShape(CursorShape shape) override;
};

}  // namespace kv::win32
