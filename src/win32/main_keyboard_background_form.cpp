#include "win32/main_keyboard_background_form.h"

#include "indicators/on_screen_keyboard.h"
#include "win32/buffered_paint.h"
#include "win32/gdi_keyboard_canvas.h"
#include "platform/win32/win32_text.h"
#include "settings/preset.h"
#include "theme/kv_theme.h"

namespace kv::win32app {

namespace {
constexpr int kCaptionStripTop = 20;
}

void MainKeyboardBackgroundForm::OnCreated() {
    KeyboardFormBase::OnCreated();
    SetLayering(RGB(255, 255, 255), 100);
}

void MainKeyboardBackgroundForm::Attach(OnScreenKeyboard* keyboard, const TKvTheme* theme, const TPreset* preset) {
    keyboard_ = keyboard;
    theme_ = theme;
    preset_ = preset;
}

bool MainKeyboardBackgroundForm::LoadPicture(const std::u16string& path) {
    std::optional<Pixels32> decoded = pictures_.Decode(path);
    if (!decoded || decoded->width <= 0 || decoded->height <= 0) return false;
    picture_ = std::move(decoded);
    return true;
}

void MainKeyboardBackgroundForm::Paint() {
    const BufferedPaint paint(Handle());
    const HDC dc = paint.Dc();
    if (!painting_) {
        painting_ = true;
        RECT client{};
        GetClientRect(Handle(), &client);
        win32::UniqueBrush back(CreateSolidBrush(theme_ ? theme_->Background : GetSysColor(COLOR_BTNFACE)));
        FillRect(dc, &client, back.Get());
        if (picture_) {
            const Pixels32& tile = *picture_;
            const BITMAPINFO info = TopDownInfo(tile.width, tile.height);
            const int top = preset_ && preset_->KeyboardShowCaption() ? kCaptionStripTop : 1;
            for (int y = top; y < client.bottom; y += tile.height) {
                for (int x = 1; x < client.right; x += tile.width) {
                    SetDIBitsToDevice(dc, x, y, tile.width, tile.height, 0, 0, 0, tile.height, tile.pixels.data(),
                                      &info, DIB_RGB_COLORS);
                }
            }
        }
        painting_ = false;
    }
}

LRESULT MainKeyboardBackgroundForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (keyboard_) {
                SetCapture(Handle());
                const POINT at = MousePoint(lParam);
                keyboard_->BackdropMouseDown({at.x, at.y},
                                             message == WM_RBUTTONDOWN ? ClickButton::Right : ClickButton::Left);
            }
            return 0;
        case WM_MOUSEMOVE:
            if (keyboard_ && keyboard_->Shown()) {
                const POINT at = MousePoint(lParam);
                keyboard_->MouseMove({at.x, at.y});
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (GetCapture() == Handle()) ReleaseCapture();
            if (keyboard_) {
                const POINT at = MousePoint(lParam);
                if (keyboard_->Dragging()) keyboard_->MouseMove({at.x, at.y});
                keyboard_->MouseUp();
                if (message == WM_RBUTTONUP) keyboard_->BackdropMouseUp(ClickButton::Right);
            }
            return 0;
        default:
            return KeyboardFormBase::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kv::win32app
