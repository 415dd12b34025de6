#include "win32/win32_keyboard_windows.h"

#include "platform/win32/win32_text.h"
#include "settings/preset.h"
#include "win32/res/resource_ids.h"

namespace kv::win32app {

namespace {
constexpr int kRegionCorner = 11;
constexpr UINT kNoActivateMove = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

void SetRoundedRegion(HWND hwnd, int width, int height) {
    // The window owns the region once it is set.
    SetWindowRgn(hwnd, CreateRoundRectRgn(0, 0, width + 1, height + 1, kRegionCorner, kRegionCorner), TRUE);
}
}  // namespace

void Win32KeyboardWindows::CreateKeyboardForm(std::function<std::u16string()> localizedCaption, const TKvLang& lang) {
    keyboard_ = std::make_unique<MainKeyboardForm>(loop_, controls_, std::move(localizedCaption), lang);
    // The desktop is its parent: owned by no window of ours, it floats over every application.
    keyboard_->Create(nullptr, u"KvMainKeyboard");
    canvas_.SetDisplay(keyboard_->Handle());
    keyboard_->onBeforePaint = [this] { UpdateLook(); };
    keyboard_->copyImage = [this](HDC dc) { canvas_.CopyTo(dc); };
}

void Win32KeyboardWindows::UpdateLook() {
    look_.theme = theme_;
    if (preset_) {
        look_.showKeyboardZone = preset_->ShowKeyboardZone();
        look_.showLabels = preset_->KeyboardShowLabels();
        look_.centerInfo = preset_->KeyboardCenterInfo();
        look_.showCharCtrl = preset_->ShowCharCtrl();
        look_.showCaption = preset_->KeyboardShowCaption();
        look_.showHotkeySquare = preset_->ShowHotkeySquare();
        look_.showIconApp = preset_->ShowIconApp();
        look_.showIconWindows = preset_->ShowIconWindows();
    }
    if (keyboard_) {
        wchar_t caption[128] = {};
        GetWindowTextW(keyboard_->Handle(), caption, 128);
        look_.caption = reinterpret_cast<const char16_t*>(caption);
    }
}

void Win32KeyboardWindows::CreateBackgroundForm() {
    background_ = std::make_unique<MainKeyboardBackgroundForm>(loop_, pictures_);
    background_->Create(nullptr, u"");
}

void Win32KeyboardWindows::DestroyKeyboardForm() {
    canvas_.SetDisplay(nullptr);
    hint_.reset();
    keyboard_.reset();
}

void Win32KeyboardWindows::DestroyBackgroundForm() { background_.reset(); }

void Win32KeyboardWindows::Attach(OnScreenKeyboard* keyboard, KeyRepaintCanvas* canvas, const TKvTheme* theme,
                                  const TPreset* preset) {
    theme_ = theme;
    preset_ = preset;
    UpdateLook();
    if (keyboard_) keyboard_->Attach(keyboard, canvas, theme);
    if (background_) background_->Attach(keyboard, theme, preset);
    if (canvas) canvas->SetRepaintRequests(keyboard ? this : nullptr);
    repaintCanvas_ = keyboard ? canvas : nullptr;
}

void Win32KeyboardWindows::PaintScaled(HDC dc, std::int32_t boxWidth, std::int32_t boxHeight) {
    // The keys the model marked are drawn first: a hidden keyboard window never paints them.
    UpdateLook();
    if (repaintCanvas_) repaintCanvas_->Flush();
    canvas_.PaintScaled(dc, boxWidth, boxHeight);
}

KeyboardHintWindow& Win32KeyboardWindows::Hint() const {
    if (!hint_) {
        hint_ = std::make_unique<KeyboardHintWindow>(loop_);
        hint_->Create(nullptr, u"");
    }
    return *hint_;
}

bool Win32KeyboardWindows::IsShown() const { return keyboard_ && IsWindowVisible(keyboard_->Handle()); }

void Win32KeyboardWindows::ShowWindows(std::uint8_t backdropOpacity) {
    if (!keyboard_ || !background_) return;
    background_->SetLayering(RGB(255, 255, 255), backdropOpacity);
    SetWindowPos(background_->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetWindowPos(keyboard_->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Win32KeyboardWindows::HideWindows() {
    if (hint_) hint_->Hide();
    if (keyboard_) ShowWindow(keyboard_->Handle(), SW_HIDE);
    if (background_) ShowWindow(background_->Handle(), SW_HIDE);
}

Rect Win32KeyboardWindows::Bounds() const {
    RECT r{};
    if (keyboard_) GetWindowRect(keyboard_->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32KeyboardWindows::MoveTo(Point topLeft) {
    if (keyboard_) SetWindowPos(keyboard_->Handle(), nullptr, topLeft.x, topLeft.y, 0, 0, kNoActivateMove);
    if (background_) SetWindowPos(background_->Handle(), nullptr, topLeft.x, topLeft.y, 0, 0, kNoActivateMove);
}

void Win32KeyboardWindows::SetImageSize(std::int32_t width, std::int32_t height) {
    for (HWND hwnd : {KeyboardHandle(), BackgroundHandle()}) {
        if (!hwnd) continue;
        SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetRoundedRegion(hwnd, width, height);
    }
    if (keyboard_) InvalidateRect(keyboard_->Handle(), nullptr, FALSE);
}

void Win32KeyboardWindows::SetOpacity(std::uint8_t keyboard, std::uint8_t backdrop) {
    if (keyboard_) keyboard_->SetLayering(RGB(0, 255, 0), keyboard);
    if (background_) background_->SetLayering(RGB(255, 255, 255), backdrop);
}

Point Win32KeyboardWindows::CursorPos() const {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

Point Win32KeyboardWindows::MeasureHint(std::u16string_view text, std::int32_t maxWidth) const {
    const SIZE size = Hint().Measure(std::u16string(text), maxWidth);
    return {size.cx, size.cy};
}

void Win32KeyboardWindows::ShowHint(const Rect& area, std::u16string_view text) {
    Hint().ShowAt({area.left, area.top, area.right, area.bottom}, std::u16string(text));
}

void Win32KeyboardWindows::HideHint() {
    if (hint_) hint_->Hide();
}

void Win32KeyboardWindows::RepaintButtons() {
    if (!keyboard_) return;
    const RECT panel = keyboard_->PanelRect();
    InvalidateRect(keyboard_->Handle(), &panel, FALSE);
}

void Win32KeyboardWindows::RepaintBackdrop() {
    if (background_) InvalidateRect(background_->Handle(), nullptr, FALSE);
}

bool Win32KeyboardWindows::SetBackdropPicture(const std::u16string& path) {
    return background_ && background_->LoadPicture(path);
}

void Win32KeyboardWindows::ClearBackdropPicture() {
    if (background_) background_->ClearPicture();
}

void Win32KeyboardWindows::BringToFront() {
    if (bringingToFront_ || !IsShown() || !background_ || !IsWindowVisible(background_->Handle())) return;
    bringingToFront_ = true;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(background_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    SetWindowPos(keyboard_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    bringingToFront_ = false;
}

void Win32KeyboardWindows::InvalidateImageArea(const Rect& area) {
    if (!keyboard_) return;
    const RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(keyboard_->Handle(), &r, FALSE);
}

void Win32KeyboardWindows::InvalidateWholeImage() {
    if (keyboard_) InvalidateRect(keyboard_->Handle(), nullptr, FALSE);
}

}  // namespace kv::win32app
