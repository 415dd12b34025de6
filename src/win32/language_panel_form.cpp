#include "win32/language_panel_form.h"

#include <commctrl.h>

#include "common/menu_colors.h"
#include "indicators/language_panel.h"
#include "indicators/language_panel_geometry.h"
#include "platform/system_api.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"
#include "win32/buffered_paint.h"
#include "win32/keyboard_form_base.h"
#include "win32/res/resource_ids.h"

namespace kv::win32app {

namespace {

// Design offsets inside a button: the flag at (3, 2), the name from 24 to the right border.
constexpr int kFlagLeft = 3, kFlagTop = 2, kNameLeft = 24;
// The strip's flags fill rows 2..12 of each 16-pixel image; the rest is white background.
constexpr int kFlagFirstRow = 2, kFlagRows = 11;
constexpr int kLargeImagesDpi = 144;

// The system's colours for the portable colour mixing of the menus.
class SystemColors final : public ISystemColors {
public:
    std::uint32_t SystemColor(int index) const override { return GetSysColor(index); }
    std::uint32_t NearestScreenColor(std::uint32_t color) const override {
        const win32::WindowDc screen(nullptr);
        return GetNearestColor(screen.Get(), color);
    }
};

int SystemDpi() {
    const win32::WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// White on the selection colour, unless that colour is so light that white would not read: the
// usual themes mix it light, and a name nobody can read helps nobody.
COLORREF TextOnSelection(COLORREF brush) {
    const int luminance = (299 * GetRValue(brush) + 587 * GetGValue(brush) + 114 * GetBValue(brush)) / 1000;
    return luminance > 160 ? GetSysColor(COLOR_WINDOWTEXT) : RGB(255, 255, 255);
}

}  // namespace

LanguagePanelForm::LanguagePanelForm(win32::Win32MessageLoop& loop, CommonControls& controls, LanguageFlags& flags)
    : KvForm(loop, std::u16string(LanguagePanel::kFormClassName)),
      controls_(controls),
      flags_(flags) {}

LanguagePanelForm::~LanguagePanelForm() {
    if (tooltip_) DestroyWindow(tooltip_);
}

void LanguagePanelForm::Create() { KvForm::Create(nullptr, u""); }

void LanguagePanelForm::OnCreated() {
    KvForm::OnCreated();
    HWND hwnd = Handle();
    SetClassLongPtrW(hwnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_HAND)));
    SetWindowLongPtrW(hwnd, GWL_STYLE, WS_POPUP);
    // A tool window: no task-bar button, though it has no owner (its owner is the desktop).
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_LAYERED);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 133, 28, SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
}

bool LanguagePanelForm::IsShown() const { return Handle() && IsWindowVisible(Handle()); }

void LanguagePanelForm::ShowPanel() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    RaiseTopmost();
}

void LanguagePanelForm::HidePanel() {
    if (GetCapture() == Handle()) ReleaseCapture();
    ShowWindow(Handle(), SW_HIDE);
}

Rect LanguagePanelForm::Bounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void LanguagePanelForm::MoveTo(Point topLeft) {
    SetWindowPos(Handle(), nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LanguagePanelForm::Resize(Point size) {
    SetWindowPos(Handle(), nullptr, 0, 0, size.x, size.y, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LanguagePanelForm::SetOpacity(std::uint8_t alpha, bool blending) {
    SetLayeredWindowAttributes(Handle(), 0, blending ? alpha : 255, LWA_ALPHA);
}

void LanguagePanelForm::RaiseTopmost() {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::int32_t LanguagePanelForm::Dpi() const {
    using DpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto dpiFor = win32::ExportOf<DpiForWindowFn>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (dpiFor && Handle()) {
        if (const UINT dpi = dpiFor(Handle())) return static_cast<std::int32_t>(dpi);
    }
    return SystemDpi();
}

Point LanguagePanelForm::CursorPos() const {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void LanguagePanelForm::SetButtons(const std::vector<PanelButton>& buttons) {
    buttons_ = buttons;
    RepaintAll();
}

void LanguagePanelForm::UpdateButton(std::size_t index, const PanelButton& button) {
    if (index >= buttons_.size()) return;
    buttons_[index] = button;
    const RECT r = ToRect(button.bounds);
    InvalidateRect(Handle(), &r, FALSE);
}

void LanguagePanelForm::RepaintAll() { InvalidateRect(Handle(), nullptr, FALSE); }

void LanguagePanelForm::SetHint(const std::u16string& hint) {
    hint_ = hint;
    if (!tooltip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<wchar_t*>(win32::W(hint_));
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_ACTIVATE, hint_.empty() ? FALSE : TRUE, 0);
}

HFONT LanguagePanelForm::NameFont(int dpi) {
    if (!nameFont_ || nameFontDpi_ != dpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfMessageFont;
        if (Font()) GetObjectW(Font(), sizeof face, &face);  // the interface language's character set
        // The metrics are at the system's scale; the panel follows its monitor.
        face.lfHeight = MulDiv(face.lfHeight, dpi, SystemDpi());
        nameFont_.Reset(CreateFontIndirectW(&face));
        nameFontDpi_ = dpi;
    }
    return nameFont_.Get();
}

void LanguagePanelForm::DrawFlag(HDC dc, int index, int x, int y, int dpi) {
    // From 150 % on the double-size picture, brought to the monitor's size: 24 pixels wide at
    // 150 %, its own 32 at 200 %, so it fits the button as the small one does at 100 %.
    const bool large = dpi >= kLargeImagesDpi;
    const int scale = large ? 2 : 1;
    const int size = 16 * scale;
    const win32::MemoryDc memory(dc);
    const win32::UniqueBitmap bitmap(CreateCompatibleBitmap(dc, size, size));
    if (!memory || !bitmap) return;
    const win32::SelectedObject selected(memory.Get(), bitmap.Get());
    if (flags_.Draw(scale, index, memory.Get(), 0, 0) || flags_.Draw(scale, 0, memory.Get(), 0, 0)) {
        // Only the flag's rows are copied: the white around them would cover the button.
        const int width = ScaleToDpi(16, dpi);
        const int top = y + ScaleToDpi(kFlagFirstRow, dpi);
        const int height = ScaleToDpi(kFlagRows, dpi);
        if (width == size && height == kFlagRows * scale) {
            BitBlt(dc, x, top, width, height, memory.Get(), 0, kFlagFirstRow * scale, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchBlt(dc, x, top, width, height, memory.Get(), 0, kFlagFirstRow * scale, size, kFlagRows * scale,
                       SRCCOPY);
        }
    }
}

void LanguagePanelForm::PaintButton(HDC dc, const PanelButton& button, int dpi) {
    const SystemColors system;
    COLORREF penColour = RGB(0, 0, 0);
    COLORREF brushColour = GetSysColor(COLOR_BTNFACE);
    COLORREF textColour = GetSysColor(COLOR_WINDOWTEXT);
    if (button.selected) {
        // The frame of the menus' selected items.
        penColour = GetSysColor(COLOR_HIGHLIGHT);
        brushColour = MenuHotColor(system);
        textColour = TextOnSelection(brushColour);
    } else if (button.hover) {
        penColour = GetSysColor(COLOR_HIGHLIGHT);
        brushColour = MenuSelectColor(system);
    }
    const Rect& b = button.bounds;
    {
        const win32::UniquePen pen(CreatePen(PS_SOLID, 1, penColour));
        const win32::UniqueBrush brush(CreateSolidBrush(brushColour));
        const win32::SelectedObject selectedPen(dc, pen.Get());
        const win32::SelectedObject selectedBrush(dc, brush.Get());
        Rectangle(dc, b.left, b.top, b.right, b.bottom);
    }
    DrawFlag(dc, button.flagIndex, b.left + ScaleToDpi(kFlagLeft, dpi), b.top + ScaleToDpi(kFlagTop, dpi), dpi);
    if (button.name.empty()) return;
    RECT text{b.left + ScaleToDpi(kNameLeft, dpi), b.top + 1, b.right - 1, b.bottom - 1};
    const win32::SelectedObject font(dc, NameFont(dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    DrawTextW(dc, win32::W(button.name), static_cast<int>(button.name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
}

void LanguagePanelForm::Paint() {
    {
        const BufferedPaint paint(Handle());
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(paint.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
        const int dpi = Dpi();
        // In order: a later button's border lies over its neighbour's shared one.
        for (const PanelButton& button : buttons_) PaintButton(paint.Dc(), button, dpi);
    }
    if (!tooltip_) {
        // Drawing the flags has loaded the common controls, whose tool tip this is.
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (tooltip_) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = Handle();
            tool.uId = reinterpret_cast<UINT_PTR>(Handle());
            tool.lpszText = const_cast<wchar_t*>(win32::W(hint_));
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            SendMessageW(tooltip_, TTM_ACTIVATE, hint_.empty() ? FALSE : TRUE, 0);
        }
    }
}

void LanguagePanelForm::MouseMoved(POINT at) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    if (panel_) panel_->MouseMove({at.x, at.y});
}

LRESULT LanguagePanelForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click leaves the focus where the user types
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(Handle());
            if (panel_) panel_->MouseDown({MousePoint(lParam).x, MousePoint(lParam).y}, ClickButton::Left);
            return 0;
        case WM_MOUSEMOVE:
            MouseMoved(MousePoint(lParam));
            return 0;
        case WM_LBUTTONUP:
            // The panel first: releasing the capture must not end the drag a second time.
            if (panel_) panel_->MouseUp({MousePoint(lParam).x, MousePoint(lParam).y}, ClickButton::Left);
            if (GetCapture() == Handle()) ReleaseCapture();
            return 0;
        case WM_RBUTTONUP:
            if (panel_) panel_->MouseUp({MousePoint(lParam).x, MousePoint(lParam).y}, ClickButton::Right);
            return 0;
        case WM_CAPTURECHANGED:
            // Taken by another window before the release: no click, the drag ends where it is.
            if (panel_ && reinterpret_cast<HWND>(lParam) != Handle()) panel_->CancelMouse();
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            if (panel_ && GetCapture() != Handle()) panel_->MouseLeave();
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            if (panel_) panel_->DpiChanged({suggested->left, suggested->top});
            return 0;
        }
        case WM_DISPLAYCHANGE:
            if (panel_) panel_->DisplayChanged();
            return 0;
        case WM_CLOSE:
            if (panel_) panel_->ClosePanel();  // a close request hides the panel
            return 0;
        default:
            return KvForm::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kv::win32app
