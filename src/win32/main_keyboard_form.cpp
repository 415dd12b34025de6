#include "win32/main_keyboard_form.h"

#include "indicators/key_repaint_canvas.h"
#include "indicators/on_screen_keyboard.h"
#include "platform/win32/win32_text.h"
#include "resources/kv_lang.h"
#include "theme/kv_theme.h"
#include "win32/buffered_paint.h"
#include "win32/res/resource_ids.h"

namespace kv::win32app {

namespace {

ClickButton ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN: return ClickButton::Right;
        case WM_MBUTTONDOWN: return ClickButton::Middle;
        default: return ClickButton::Left;
    }
}

}  // namespace

MainKeyboardForm::MainKeyboardForm(win32::Win32MessageLoop& loop, CommonControls& controls,
                                   std::function<std::u16string()> localizedCaption, const TKvLang& lang)
    : KeyboardFormBase(loop, u"TMainKeyboardForm"),
      localizedCaption_(std::move(localizedCaption)),
      lang_(lang),
      tips_(controls),
      glyphs_(controls, IDB_FORM_BUTTONS, IDB_FORM_BUTTONS_LARGE, 12, true) {}

void MainKeyboardForm::ApplyLanguage() {
    KeyboardFormBase::ApplyLanguage();
    tipsPanel_ = {};  // the next hover takes the texts of the new language
    if (!Handle() || !localizedCaption_) return;
    const std::u16string caption = localizedCaption_();
    if (!caption.empty()) SetWindowTextW(Handle(), win32::W(caption));
}

void MainKeyboardForm::Repaint() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void MainKeyboardForm::Attach(OnScreenKeyboard* keyboard, KeyRepaintCanvas* canvas, const TKvTheme* theme) {
    keyboard_ = keyboard;
    canvas_ = canvas;
    theme_ = theme;
    hotButton_ = pressedButton_ = nullptr;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

RECT MainKeyboardForm::PanelRect() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int left = client.right - kPanelFromRight;
    return {left, kPanelTop, left + kPanelWidth, kPanelTop + kPanelHeight};
}

TKvFormBtn* MainKeyboardForm::ButtonAt(POINT client) {
    if (!keyboard_) return nullptr;
    const RECT panel = PanelRect();
    const Point inPanel{client.x - panel.left, client.y - panel.top};
    for (TKvFormBtn* button : {&keyboard_->PinButton(), &keyboard_->CloseButton()}) {
        const Rect b = button->Bounds();
        if (inPanel.x >= b.left && inPanel.x < b.right && inPanel.y >= b.top && inPanel.y < b.bottom) return button;
    }
    return nullptr;
}

void MainKeyboardForm::MouseDown(POINT at, int message) {  // message: which button went down
    if (!keyboard_) return;
    if (TKvFormBtn* button = ButtonAt(at)) {
        if (message == WM_LBUTTONDOWN) {
            pressedButton_ = button;
            button->MouseDown();
            SetCapture(Handle());
        }
        return;
    }
    SetCapture(Handle());
    keyboard_->MouseDown({at.x, at.y}, ButtonOf(static_cast<UINT>(message)));
}

void MainKeyboardForm::UpdateButtonTips() {
    const RECT panel = PanelRect();
    if (tips_.Control() && EqualRect(&panel, &tipsPanel_)) return;
    tipsPanel_ = panel;
    const auto tip = [&](UINT index, const TKvFormBtn& button, const std::u16string& text) {
        const Rect b = button.Bounds();
        tips_.SetTip(Handle(), index, {panel.left + b.left, panel.top + b.top, panel.left + b.right, panel.top + b.bottom},
                     text);
    };
    tip(1, keyboard_->PinButton(), lang_.GetText(521, u"Hide Automatically"));
    tip(2, keyboard_->CloseButton(), lang_.GetText(105, u"Close"));
}

void MainKeyboardForm::MouseMove(POINT at) {
    if (!keyboard_) return;
    UpdateButtonTips();
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    if (pressedButton_) return;
    TKvFormBtn* over = ButtonAt(at);
    if (over != hotButton_) {
        if (hotButton_) hotButton_->MouseLeave();
        if (over) over->MouseEnter();
        hotButton_ = over;
    }
    if (over && !keyboard_->Dragging()) {
        keyboard_->MouseLeave();  // entering a button leaves the keys
        return;
    }
    keyboard_->MouseMove({at.x, at.y});
}

void MainKeyboardForm::MouseUp(POINT at) {
    if (GetCapture() == Handle()) ReleaseCapture();
    if (!keyboard_) return;
    if (TKvFormBtn* button = pressedButton_) {
        pressedButton_ = nullptr;
        const RECT panel = PanelRect();
        button->MouseUp({at.x - panel.left, at.y - panel.top});
        return;
    }
    // A drag ends where the button went up, even when that move was not seen on its own.
    if (keyboard_->Dragging()) keyboard_->MouseMove({at.x, at.y});
    keyboard_->MouseUp();
}

void MainKeyboardForm::MouseLeft() {
    trackingLeave_ = false;
    if (!keyboard_ || GetCapture() == Handle()) return;
    if (hotButton_) hotButton_->MouseLeave();
    hotButton_ = nullptr;
    keyboard_->MouseLeave();
}

void MainKeyboardForm::PaintButton(HDC dc, const TKvFormBtn& button) {
    if (!theme_ || !button.Visible()) return;
    const FormButtonColors colors = button.Colors(*theme_);
    const RECT panel = PanelRect();
    const Rect b = button.Bounds();
    {
        const win32::UniquePen pen(CreatePen(PS_SOLID, 1, colors.border));
        const win32::UniqueBrush brush(CreateSolidBrush(colors.face));
        const win32::SelectedObject selectedPen(dc, pen.Get());
        const win32::SelectedObject selectedBrush(dc, brush.Get());
        RoundRect(dc, panel.left + b.left, panel.top + b.top, panel.left + b.right, panel.top + b.bottom,
                  TKvFormBtn::kCornerSize, TKvFormBtn::kCornerSize);
    }
    glyphs_.Draw(button.ImageIndex(), dc, panel.left + b.left + TKvFormBtn::kGlyphOffset.x,
                 panel.top + b.top + TKvFormBtn::kGlyphOffset.y);
}

void MainKeyboardForm::Paint() {
    // All of the window: for a key's area the model may have redrawn the whole image (a lock key,
    // a new size), and the image is shown whole.
    InvalidateRect(Handle(), nullptr, FALSE);
    const BufferedPaint paint(Handle());
    const HDC dc = paint.Dc();
    // Under the image: the keys' surroundings take the theme's background.
    const win32::UniqueBrush under(CreateSolidBrush(theme_ ? theme_->Background : RGB(0, 255, 0)));
    FillRect(dc, &paint.Area(), under.Get());
    if (canvas_) {
        if (onBeforePaint) onBeforePaint();
        canvas_->DrawMarked();
        if (copyImage) copyImage(dc);
    }
    // The buttons go over the image.
    if (keyboard_) {
        PaintButton(dc, keyboard_->PinButton());
        PaintButton(dc, keyboard_->CloseButton());
    }
}

LRESULT MainKeyboardForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            MouseDown(MousePoint(lParam), static_cast<int>(message));
            return 0;
        case WM_MOUSEMOVE:
            MouseMove(MousePoint(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            MouseUp(MousePoint(lParam));
            return 0;
        case WM_MOUSELEAVE:
            MouseLeft();
            return 0;
        case WM_DISPLAYCHANGE:
            if (keyboard_) keyboard_->DisplayChanged();
            return KeyboardFormBase::HandleMessage(message, wParam, lParam);
        case WM_CLOSE:
            if (keyboard_) keyboard_->Hide();  // closing hides
            return 0;
        default:
            return KeyboardFormBase::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kv::win32app
