#pragma once
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "dialogs/wait_dialog.h"
#include "win32/form_window.h"

namespace kv::win32app {

// TKvMessageWaitForm: a borderless notice whose running line is drawn by a thread of its own,
// so it keeps moving while the GUI thread is busy. That thread touches only the window's
// device context and the line picture, under the canvas lock; it is joined before the window
// is destroyed.
class WaitWindow : public KvForm, public IWaitWindow {
public:
    WaitWindow(win32::Win32MessageLoop& loop, HWND owner);
    ~WaitWindow() override;

    void CenterOnWorkArea() override;
    void SetMessageText(std::u16string_view text) override;
    void StartRunningLine() override;
    void ShowModeless() override;
    void Repaint() override;

    void StopRunningLine();
    bool RunningLineActive() const { return painter_.joinable(); }
    // Frames the line thread has drawn so far.
    int RunningLineFrames() const { return frames_.load(); }
    // Blocks until the line thread has drawn `count` frames in all; false when `bound` passed first.
    bool WaitForFrames(int count, std::chrono::milliseconds bound);
    // The offset of the frame drawn last; meaningful after StopRunningLine.
    std::int32_t LastDrawnOffset() const { return lastDrawnOffset_; }
    // The line picture's colour at a column.
    static COLORREF LinePictureColor(int x, int width);
    static constexpr int kLogoHeight = 38;
    static constexpr int kLineHeight = 3;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateLinePicture();
    void RunLine();
    // With the canvas lock held.
    void DrawLineFrame(HDC target, std::int32_t offset);
    void Paint();

    std::u16string text_;
    win32::UniqueFont boldFont_;
    // In this order, so the bitmap leaves the DC before either goes.
    win32::UniqueBitmap lineBitmap_;
    win32::MemoryDc lineDc_;
    std::optional<win32::SelectedObject> lineDcBitmap_;
    int lineWidth_ = 0;
    int lineTop_ = kLogoHeight;

    std::mutex canvasLock_;
    std::condition_variable wake_;
    std::condition_variable frameDrawn_;
    bool stop_ = false;            // under canvasLock_
    std::int32_t offset_ = 0;      // under canvasLock_
    std::int32_t lastDrawnOffset_ = 0;
    std::atomic<int> frames_{0};
    std::thread painter_;
};

// Creates wait windows owned by the application window.
class Win32WaitWindows : public IWaitWindows {
public:
    Win32WaitWindows(win32::Win32MessageLoop& loop, HWND owner) : loop_(loop), owner_(owner) {}
    std::unique_ptr<IWaitWindow> CreateWaitWindow() override { return std::make_unique<WaitWindow>(loop_, owner_); }
    void RepaintActiveForm() override;

private:
    win32::Win32MessageLoop& loop_;
    HWND owner_;
};

}  // namespace kv::win32app
