#pragma once
// TCaretFlagForm: the flag of the input language beside the text caret. A borderless top-most
// popup owned by the desktop, so it has no taskbar button and never takes the focus; layered for
// its opacity. It is moved out of sight rather than hidden. On a monitor of 150 % and more it
// shows the large flag strip at twice the size, deciding anew whenever it lands on another monitor.
#include <windows.h>

#include <memory>

#include "indicators/caret_flag_window.h"
#include "win32/form_window.h"
#include "win32/common_controls.h"
#include "win32/image_strips.h"

namespace kv::win32app {

class CaretFlagForm final : public FormWindow, public ICaretFlagWindow {
public:
    // The flag strip's images are 16 x 16 with the flag in rows 2 to 12.
    static constexpr int kFlagWidth = 16;
    static constexpr int kFlagHeight = 11;
    static constexpr int kFlagTopRow = 2;

    CaretFlagForm(win32::Win32MessageLoop& loop, LanguageFlags& flags, ICaretFlagWindowEvents& events);
    void Open(Point topLeft, std::uint8_t opacity, std::int32_t flagIndex);

    void MoveTo(Point topLeft) override;
    void SetOpacity(std::uint8_t opacity) override;
    void SetFlagImage(std::int32_t index) override;

protected:
    void OnCreated() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The scale of the monitor the window is on; a new one resizes the window.
    void FollowMonitorScale();
    void Paint();

    LanguageFlags& flags_;
    int scale_ = 1;
    ICaretFlagWindowEvents& events_;
    std::int32_t flagIndex_ = 0;
    HWND foregroundAtLastMove_ = nullptr;
};

class Win32CaretFlagWindows final : public ICaretFlagWindows {
public:
    // `flags` must outlive the windows.
    Win32CaretFlagWindows(win32::Win32MessageLoop& loop, LanguageFlags& flags);
    std::unique_ptr<ICaretFlagWindow> CreateCaretFlagWindow(ICaretFlagWindowEvents& events, Point topLeft,
                                                            std::uint8_t opacity, std::int32_t flagIndex) override;

private:
    win32::Win32MessageLoop& loop_;
    LanguageFlags& flags_;
};

}  // namespace kv::win32app
