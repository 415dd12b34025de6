#include "win32/wait_window.h"

#include <algorithm>
#include <chrono>

#include "dialogs/running_line.h"
#include "platform/win32/win32_text.h"
#include "win32/buffered_paint.h"
#include "win32/dialog_frame.h"

namespace kv::win32app {

namespace {

constexpr int kClientWidth = 340;
constexpr int kClientHeight = 120;
constexpr auto kFrameInterval = std::chrono::milliseconds(100);
constexpr COLORREF kLogoColor = RGB(0x1F, 0x4E, 0x8C);

win32::UniqueFont BoldVersionOf(HFONT font) {
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    face.lfWeight = FW_BOLD;
    return win32::UniqueFont(CreateFontIndirectW(&face));
}

}  // namespace

WaitWindow::WaitWindow(win32::Win32MessageLoop& loop, HWND owner) : KvForm(loop, u"TKvMessageWaitForm") {
    Create(owner, u"");
    SetFrame(Handle(), WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClientWidth, kClientHeight);
    boldFont_ = BoldVersionOf(FormFontOrDefault(Font()));
    CreateLinePicture();
}

WaitWindow::~WaitWindow() {
    StopRunningLine();  // before the picture and the window go
}

COLORREF WaitWindow::LinePictureColor(int x, int width) {
    // A bright bar on a dark track, so the movement shows.
    return x < width / 4 ? RGB(0xF0, 0xA0, 0x20) : RGB(0x1F, 0x4E, 0x8C);
}

void WaitWindow::CreateLinePicture() {
    RECT client{};
    GetClientRect(Handle(), &client);
    lineWidth_ = client.right - client.left;  // stretched over the full width
    {
        const win32::WindowDc screen(nullptr);
        lineDc_ = win32::MemoryDc(screen.Get());
        lineBitmap_.Reset(CreateCompatibleBitmap(screen.Get(), lineWidth_, kLineHeight));
    }
    lineDcBitmap_.emplace(lineDc_.Get(), lineBitmap_.Get());
    for (int x = 0; x < lineWidth_; ++x) {
        for (int y = 0; y < kLineHeight; ++y) SetPixel(lineDc_.Get(), x, y, LinePictureColor(x, lineWidth_));
    }
}

void WaitWindow::CenterOnWorkArea() { win32app::CenterOnWorkArea(Handle()); }

void WaitWindow::SetMessageText(std::u16string_view text) {
    {
        std::lock_guard lock(canvasLock_);
        text_ = text;
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void WaitWindow::ShowModeless() { ShowWindow(Handle(), SW_SHOW); }

void WaitWindow::Repaint() {
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

void WaitWindow::StartRunningLine() {
    if (painter_.joinable()) return;
    {
        std::lock_guard lock(canvasLock_);
        stop_ = false;
    }
    painter_ = std::thread([this] { RunLine(); });
}

void WaitWindow::StopRunningLine() {
    if (!painter_.joinable()) return;
    {
        std::lock_guard lock(canvasLock_);
        stop_ = true;
    }
    wake_.notify_all();
    painter_.join();
}

void WaitWindow::RunLine() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
    std::unique_lock lock(canvasLock_);
    while (!wake_.wait_for(lock, kFrameInterval, [this] { return stop_; })) {
        const RunningLineFrame frame = RunningLineAt(offset_, lineWidth_);
        // GetDC sends nothing to the GUI thread, so a busy or joining GUI thread cannot block it.
        if (const win32::WindowDc dc(Handle()); dc) DrawLineFrame(dc.Get(), frame.offset);
        lastDrawnOffset_ = frame.offset;
        offset_ = frame.nextOffset;
        ++frames_;
        frameDrawn_.notify_all();
    }
}

bool WaitWindow::WaitForFrames(int count, std::chrono::milliseconds bound) {
    std::unique_lock lock(canvasLock_);
    return frameDrawn_.wait_for(lock, bound, [&] { return frames_.load() >= count; });
}

void WaitWindow::DrawLineFrame(HDC target, std::int32_t offset) {
    const RunningLineFrame frame = RunningLineAt(offset, lineWidth_);
    BitBlt(target, frame.headTarget.left, lineTop_, frame.headTarget.Width(), kLineHeight, lineDc_.Get(),
           frame.headSource.left, 0, SRCCOPY);
    BitBlt(target, frame.tailTarget.left, lineTop_, frame.tailTarget.Width(), kLineHeight, lineDc_.Get(),
           frame.tailSource.left, 0, SRCCOPY);
    GdiFlush();
}

void WaitWindow::Paint() {
    // The lock first: the running line's thread must not draw between the paint and its copy.
    std::lock_guard lock(canvasLock_);
    const BufferedPaint paint(Handle());
    const HDC dc = paint.Dc();
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT logo{0, 0, client.right, kLogoHeight};
    const win32::UniqueBrush logoBrush(CreateSolidBrush(kLogoColor));
    FillRect(dc, &logo, logoBrush.Get());
    DrawLineFrame(dc, lastDrawnOffset_);

    RECT area{8, lineTop_ + kLineHeight + 4, client.right - 8, client.bottom - 4};
    const win32::SelectedObject font(dc, boldFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const std::wstring text = win32::ToWide(text_);
    RECT measured = area;
    const UINT flags = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    area.top += std::max<LONG>(0, (area.bottom - area.top - height) / 2);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags);
}

LRESULT WaitWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_CLOSE: return 0;  // only CloseWait ends the notice
        case WM_DESTROY: StopRunningLine(); break;
    }
    return KvForm::HandleMessage(message, wParam, lParam);
}

void Win32WaitWindows::RepaintActiveForm() {
    HWND active = GetActiveWindow();
    if (active) RedrawWindow(active, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace kv::win32app
