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

namespace kv::win32app {

// The flag strip in both sizes, each loaded when first drawn.
class FlagPictures {
public:
    explicit FlagPictures(CommonControls& controls) : controls_(controls) {}
    ~FlagPictures();
    FlagPictures(const FlagPictures&) = delete;
    FlagPictures& operator=(const FlagPictures&) = delete;
    // Image `index` at `scale` 1 (16 x 16) or 2 (32 x 32); false when it cannot be drawn.
    bool Draw(int scale, int index, HDC dc, int x, int y);

private:
    CommonControls& controls_;
    HIMAGELIST lists_[2] = {nullptr, nullptr};
    bool loaded_[2] = {false, false};
};

class CaretFlagForm final : public FormWindow, public ICaretFlagWindow {
public:
    // The flag strip's images are 16 x 16 with the flag in rows 2 to 12.
    static constexpr int kFlagWidth = 16;
    static constexpr int kFlagHeight = 11;
    static constexpr int kFlagTopRow = 2;

    CaretFlagForm(win32::Win32MessageLoop& loop, FlagPictures& flags, ICaretFlagWindowEvents& events);
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

    FlagPictures& flags_;
    int scale_ = 1;
    ICaretFlagWindowEvents& events_;
    std::int32_t flagIndex_ = 0;
    HWND foregroundAtLastMove_ = nullptr;
};

class Win32CaretFlagWindows final : public ICaretFlagWindows {
public:
    Win32CaretFlagWindows(win32::Win32MessageLoop& loop, CommonControls& controls);
    std::unique_ptr<ICaretFlagWindow> CreateCaretFlagWindow(ICaretFlagWindowEvents& events, Point topLeft,
                                                            std::uint8_t opacity, std::int32_t flagIndex) override;

private:
    win32::Win32MessageLoop& loop_;
    FlagPictures flags_;
};

}  // namespace kv::win32app
